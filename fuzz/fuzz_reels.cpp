// Numbers from text never fail; numbers to text always read back.
#include "common/Conversions.h"

#include <QLocale>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    static const bool francais = [] {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        return true;
    }();
    (void)francais;
    const QString texte = QString::fromUtf8(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    (void)texteVersReel(texte);
    if (taille >= sizeof(double)) {
        double x = 0;
        std::memcpy(&x, donnees, sizeof x);
        if (std::isfinite(x)) {
            const double relu = texteVersReel(reelVersTexte(x));
            // Seven significant digits.
            if (std::abs(relu - x) > 1e-6 * std::abs(x) + 1e-300) std::abort();
        }
    }
    return 0;
}

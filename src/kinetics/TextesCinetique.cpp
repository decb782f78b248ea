#include "kinetics/TextesCinetique.h"

#include "common/Temps.h"

#include <algorithm>
#include <cmath>

QString texteAbsorbance(double absorbance, const QLocale& locale)
{
    constexpr int chiffres = 4;
    constexpr int decimales = 3;
    double arrondie = 0.0;
    if (absorbance != 0.0 && std::isfinite(absorbance)) {
        const int entiers = static_cast<int>(std::floor(std::log10(std::abs(absorbance)))) + 1;
        const int garde = std::min(decimales, chiffres - entiers);
        const double echelle = std::pow(10.0, garde);
        arrondie = std::round(absorbance * echelle) / echelle;
    } else if (!std::isfinite(absorbance)) {
        arrondie = absorbance;
    }
    // No "-0,000" for a reading that rounds to nothing.
    if (arrondie == 0.0) arrondie = 0.0;
    QLocale sansGroupes = locale;
    sansGroupes.setNumberOptions(sansGroupes.numberOptions() | QLocale::OmitGroupSeparator);
    return sansGroupes.toString(arrondie, 'f', decimales);
}

QString texteDuree(int secondes, const QLocale& locale)
{
    return texteHeure(secondesVersHeure(secondes), locale);
}

QString texteDeltat(int pas, bool creation)
{
    const QString texte = QString::number(pas) + QStringLiteral(" s");
    return creation ? QStringLiteral("dt=") + texte : texte;
}

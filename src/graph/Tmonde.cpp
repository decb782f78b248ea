#include "graph/Tmonde.h"

#include <QLocale>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

// Candidate graduation steps within one decade. Kept in double: the dense step
// of a 0..1 range, 0.2, must not pick up single-precision noise.
constexpr std::array<double, 6> pasGraduation{0.1, 0.2, 0.5, 1, 2, 5};

// 10^e rounded once to the nearest binary32 value. Parsing the decimal text
// gives the correctly rounded result, which a double power cast to float would
// not always give (two roundings).
float puissanceDixSimple(int e)
{
    const std::string texte = "1e" + std::to_string(e);
    float resultat = 0;
    std::from_chars(texte.data(), texte.data() + texte.size(), resultat);
    return resultat;
}

// Strips the trailing zeros of a fraction, and the separator if none remain.
std::string sansZerosFinaux(std::string s)
{
    if (s.find('.') == std::string::npos) return s;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

// Fixed notation of the digits d1d2d3 of a value d1.d2d3 x 10^exposant.
std::string notationFixe(const std::string& chiffres, int exposant)
{
    if (exposant >= 0) {
        const std::string entiers = chiffres.substr(0, exposant + 1);
        const std::string decimales = chiffres.substr(exposant + 1);
        return sansZerosFinaux(decimales.empty() ? entiers : entiers + '.' + decimales);
    }
    return sansZerosFinaux("0." + std::string(-exposant - 1, '0') + chiffres);
}

std::string notationScientifique(const std::string& chiffres, int exposant)
{
    const std::string mantisse = sansZerosFinaux(chiffres.substr(0, 1) + '.' + chiffres.substr(1));
    return mantisse + 'E' + std::to_string(exposant);
}

// 3 significant digits, general format, "." as separator.
std::string formatGeneral3(double x)
{
    if (x == 0) return "0";
    if (!std::isfinite(x)) return std::isnan(x) ? "NAN" : (x > 0 ? "INF" : "-INF");
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%.2e", std::fabs(x));  // "d.dde+xx"
    const std::string s(tampon);
    const std::string chiffres = s.substr(0, 1) + s.substr(2, 2);
    const int exposant = std::stoi(s.substr(s.find('e') + 1));
    const std::string signe = x < 0 ? "-" : "";
    if (exposant >= -4 && exposant <= 2) return signe + notationFixe(chiffres, exposant);
    return signe + notationScientifique(chiffres, exposant);
}

}  // namespace

void Tmonde::setDelta()
{
    const double r = maxi - mini;
    // Empty, reversed or unbounded limits have no sensible step: no graduation.
    if (!(r > 0) || !std::isfinite(r)) {
        deltaAxe = 0;
        pointDebut = mini;
        return;
    }
    const int e = static_cast<int>(std::floor(std::log10(r)));
    const double s = static_cast<double>(puissanceDixSimple(-e)) * r;
    const double limite = grandAxe ? 10 : 5;
    std::size_t n = 0;
    while (s / pasGraduation[n] >= limite && n < pasGraduation.size() - 1) ++n;
    deltaAxe = static_cast<double>(puissanceDixSimple(e)) * pasGraduation[n];
    // Ranges beyond single precision (below 1E-38 or above 1E38) have no step.
    if (!(deltaAxe > 0) || !std::isfinite(deltaAxe) || !std::isfinite(s)) {
        deltaAxe = 0;
        pointDebut = mini;
        return;
    }
    pointDebut = std::ceil(mini / deltaAxe) * deltaAxe;
}

bool Tmonde::affecteEntier(double r, int& i) const
{
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    const double pixel = std::nearbyint(a * r + b);
    if (!std::isfinite(pixel) || pixel < std::numeric_limits<int>::min()
        || pixel > std::numeric_limits<int>::max())
        return false;
    i = static_cast<int>(pixel);
    return true;
}

QString Tmonde::FormatAxe(double x) const
{
    QString texte = QString::fromStdString(formatGeneral3(x));
    texte.replace(u'.', QLocale().decimalPoint());
    return texte;
}

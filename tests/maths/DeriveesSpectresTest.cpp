// The sliding fit on spectra as the instrument delivers them: wavelengths in
// nanometres, 0.455 to 2 nm apart, up to 2001 points, scanned either way.
// Every derivative is checked against a fit of the same window made from
// scratch on centred, scaled abscissae in long double. Running power sums of
// raw wavelengths fail this by several percent at 0.5 nm steps and by tens of
// percent at 0.455 nm, even in 80-bit arithmetic.
#include "AjustementReference.h"

#include "maths/Derivees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

struct Bande {
    double centre;
    double largeur;
    double hauteur;
};

// Absorption bands on a slowly falling baseline (scattering).
double absorbance(const std::vector<Bande>& bandes, double lambda)
{
    double a = 0.05 + 20 / lambda;
    for (const auto& b : bandes)
        a += b.hauteur * std::exp(-0.5 * std::pow((lambda - b.centre) / b.largeur, 2));
    return a;
}

const std::vector<Bande> ultravioletVisible = {
    {205, 9, 1.4}, {262, 14, 0.9}, {340, 25, 0.35}, {450, 30, 0.6}, {585, 45, 0.8},
    {700, 35, 0.25}, {860, 60, 0.4}, {1010, 30, 0.3}};

// Gentle bands only at long wavelengths, where power sums of the wavelengths
// are hardest to keep accurate;
// the largest slope of the curve then lies there too.
const std::vector<Bande> procheInfrarouge = {{760, 20, 0.5}, {905, 28, 0.7}, {1040, 15, 0.35}};

struct Balayage {
    const char* nom;
    double premier;
    double pas;
    int n;
};

const Balayage balayages[] = {
    {"190-1100 nm par 0.5", 190, 0.5, 1821},
    {"1100-190 nm par 0.5", 1100, -0.5, 1821},
    {"190-1100 nm par 1", 190, 1, 911},
    {"1100-190 nm par 1", 1100, -1, 911},
    {"190.1-1099.1 nm par 1", 190.1, 1, 910},
    {"190-1100 nm par 2", 190, 2, 456},
    {"1100-190 nm par 2", 1100, -2, 456},
    {"2001 points de 190 a 1100 nm", 190, 0.455, 2001},
    {"2001 points de 1100 a 190 nm", 1100, -0.455, 2001},
    {"600-1100 nm par 0.5", 600, 0.5, 1001},
    {"1100-600 nm par 1", 1100, -1, 501},
};

// Worst |derivative - reference| over the curve, relative to the largest
// |reference| of that order, for the first, second and third derivatives.
struct Ecart {
    std::array<double, 3> pireRelatif{};
    std::array<int, 3> pirePoint{};
};

Ecart compare(const Balayage& b, const std::vector<Bande>& bandes)
{
    Tvecteur x{};
    Tvecteur y{};
    for (int i = 0; i < b.n; ++i) {
        x[i] = b.premier + b.pas * i;
        y[i] = absorbance(bandes, x[i]);
    }
    std::array<Tvecteur, 3> d{};
    calculDerivees(x, y, b.n, d[0], d[1], d[2]);

    std::vector<std::array<long double, 3>> reference(b.n);
    std::array<long double, 3> plusGrand{};
    for (int k = 0; k < b.n; ++k) {
        const TderiveesPoint r = deriveesReference(x, y, debutFenetreServant(k, b.n), x[k]);
        reference[k] = {r.d1, r.d2, r.d3};
        for (int o = 0; o < 3; ++o)
            plusGrand[o] = std::max(plusGrand[o], std::fabs(reference[k][o]));
    }
    Ecart e;
    for (int o = 0; o < 3; ++o) {
        for (int k = 0; k < b.n; ++k) {
            const auto relatif =
                static_cast<double>(std::fabs(d[o][k] - reference[k][o]) / plusGrand[o]);
            if (relatif > e.pireRelatif[o] || !std::isfinite(relatif)) {
                e.pireRelatif[o] = relatif;
                e.pirePoint[o] = k;
            }
        }
    }
    return e;
}

// A fraction of a percent of the curve's largest value, for every order.
constexpr double tolerance = 0.005;

void verifie(const std::vector<Bande>& bandes)
{
    for (const auto& b : balayages) {
        const Ecart e = compare(b, bandes);
        for (int o = 0; o < 3; ++o) {
            EXPECT_LT(e.pireRelatif[o], tolerance)
                << b.nom << ", derivative " << o + 1 << ": worst at point " << e.pirePoint[o]
                << " (" << b.premier + b.pas * e.pirePoint[o] << " nm)";
        }
    }
}

TEST(calculDerivees, DeriveesDesSpectresUltravioletVisible)
{
    verifie(ultravioletVisible);
}

TEST(calculDerivees, DeriveesDesSpectresProcheInfrarouge)
{
    verifie(procheInfrarouge);
}

} // namespace

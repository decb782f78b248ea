#include "AjustementReference.h"

#include "maths/Derivees.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace {

// A curve and its three derivative vectors, the latter filled with a marker
// value so that any slot left unwritten shows.
struct Courbe {
    Tvecteur x{};
    Tvecteur y{};
    Tvecteur d1{};
    Tvecteur d2{};
    Tvecteur d3{};
    int n = 0;

    Courbe(int nbre, const std::function<double(int)>& abscisse,
           const std::function<double(double)>& f)
        : n(nbre)
    {
        for (int i = 0; i < n && i < tailleVecteur; ++i) {
            x[i] = abscisse(i);
            y[i] = f(x[i]);
        }
        d1.fill(-777);
        d2.fill(-777);
        d3.fill(-777);
    }

    void calcule() { calculDerivees(x, y, n, d1, d2, d3); }
};

void verifieNulAPartirDe(const Courbe& c, int debut)
{
    for (int k = std::max(debut, 0); k < tailleVecteur; ++k) {
        ASSERT_EQ(c.d1[k], 0.0) << k;
        ASSERT_EQ(c.d2[k], 0.0) << k;
        ASSERT_EQ(c.d3[k], 0.0) << k;
    }
}

TEST(calculDerivees, MoinsDeNeufPointsDonnentZeroPartout)
{
    for (int n : {-5, 0, 1, 8}) {
        Courbe c(n, [](int i) { return i; }, [](double x) { return x * x; });
        c.calcule();
        verifieNulAPartirDe(c, 0);
    }
}

TEST(calculDerivees, LesCasesAuDelaDeNSontMisesAZero)
{
    for (int n : {9, 10, 57}) {
        Courbe c(n, [](int i) { return 3 + 0.5 * i; }, [](double x) { return std::sin(x); });
        c.calcule();
        verifieNulAPartirDe(c, n);
        EXPECT_NE(c.d1[n - 1], 0.0);
    }
}

struct CasCubique {
    const char* nom;
    std::function<double(int)> abscisse;
};

// Points on y = x^3 are fitted exactly by every window, whatever the spacing
// or the order of the abscissae.
TEST(calculDerivees, PointsSurUneCubique)
{
    const CasCubique cas[] = {
        {"x = 1..20", [](int i) { return 1.0 + i; }},
        {"x = 20..1", [](int i) { return 20.0 - i; }},
        {"pas inegaux", [](int i) { return 1.0 + i + 0.4 * std::sin(1.7 * i); }},
        {"pas inegaux decroissants", [](int i) { return 25.0 - i - 0.3 * std::cos(2.3 * i); }},
    };
    for (const auto& cas1 : cas) {
        Courbe c(20, cas1.abscisse, [](double x) { return x * x * x; });
        c.calcule();
        for (int k = 0; k < c.n; ++k) {
            const double x = c.x[k];
            EXPECT_NEAR(c.d1[k], 3 * x * x, 1e-9 * 3 * x * x) << cas1.nom << ", point " << k;
            EXPECT_NEAR(c.d2[k], 6 * x, 1e-7 * 6 * x) << cas1.nom << ", point " << k;
            EXPECT_NEAR(c.d3[k], 6, 1e-6) << cas1.nom << ", point " << k;
        }
        verifieNulAPartirDe(c, c.n);
    }
}

struct CasDroite {
    const char* nom;
    double a;
    double b;
    double x0;
    double pas;
    int n;
};

TEST(calculDerivees, DroiteDePenteB)
{
    const CasDroite cas[] = {
        {"x = 1..30", 1, 2, 1, 1, 30},
        {"longueurs d'onde croissantes", 0.8, -0.0015, 190, 0.5, 1821},
        {"longueurs d'onde decroissantes", 0.1, 0.0004, 1100, -2, 456},
        {"2001 points", -0.3, 0.002, 190, 0.455, 2001},
    };
    for (const auto& d : cas) {
        Courbe c(d.n, [&](int i) { return d.x0 + d.pas * i; },
                 [&](double x) { return d.a + d.b * x; });
        c.calcule();
        for (int k = 0; k < c.n; ++k) {
            ASSERT_NEAR(c.d1[k], d.b, 1e-5 * std::fabs(d.b)) << d.nom << ", point " << k;
            // Rounding of the uncentred normal equations; the second and
            // third derivatives of a line are nothing but that.
            ASSERT_NEAR(c.d2[k], 0, 1e-7) << d.nom << ", point " << k;
            ASSERT_NEAR(c.d3[k], 0, 1e-8) << d.nom << ", point " << k;
        }
    }
}

void verifieCommeFenetre(const Courbe& c, int k, int debut)
{
    const TderiveesPoint r = deriveesReference(c.x, c.y, debut, c.x[k]);
    EXPECT_NEAR(c.d1[k], r.d1, 1e-9 * (1 + std::fabs(r.d1))) << "point " << k;
    EXPECT_NEAR(c.d2[k], r.d2, 1e-8 * (1 + std::fabs(r.d2))) << "point " << k;
    EXPECT_NEAR(c.d3[k], r.d3, 1e-8 * (1 + std::fabs(r.d3))) << "point " << k;
}

// y = x^4 is no cubic: every window has a cubic of its own.
TEST(calculDerivees, NeufPointsUneSeuleCubique)
{
    Courbe c(9, [](int i) { return i; }, [](double x) { return x * x * x * x; });
    c.calcule();
    for (int k = 0; k < 9; ++k) {
        verifieCommeFenetre(c, k, 0);
        EXPECT_DOUBLE_EQ(c.d3[k], c.d3[0]) << k;
    }
    verifieNulAPartirDe(c, 9);
}

TEST(calculDerivees, DixPointsDeuxCubiques)
{
    Courbe c(10, [](int i) { return i; }, [](double x) { return x * x * x * x; });
    c.calcule();
    for (int k = 0; k < 10; ++k) {
        const int servante = k <= 4 ? 0 : 1;
        verifieCommeFenetre(c, k, servante);
        // The two windows disagree clearly at every point, so the check above
        // tells which one served.
        const TderiveesPoint autre = deriveesReference(c.x, c.y, 1 - servante, c.x[k]);
        EXPECT_GT(std::fabs(autre.d3 - c.d3[k]), 1.0) << k;
        EXPECT_GT(std::fabs(autre.d1 - c.d1[k]), 0.5) << k;
    }
    EXPECT_DOUBLE_EQ(c.d3[0], c.d3[4]);
    EXPECT_DOUBLE_EQ(c.d3[5], c.d3[9]);
}

// Nine points at the same abscissa leave the centred window without a
// solution: zero at the point it serves, exact cubic derivatives for the
// windows clear of those points, and no exception out of the routine.
TEST(calculDerivees, UneFenetreInsolubleDonneZeroSansToucherLesAutres)
{
    constexpr int debutPalier = 20;
    constexpr int finPalier = debutPalier + 8;
    Courbe c(
        50,
        [](int i) {
            return i < debutPalier ? i : i <= finPalier ? debutPalier : i - 8;
        },
        [](double x) { return x * x * x; });
    ASSERT_NO_THROW(c.calcule());
    const int centre = debutPalier + 4;
    EXPECT_EQ(c.d1[centre], 0.0);
    EXPECT_EQ(c.d2[centre], 0.0);
    EXPECT_EQ(c.d3[centre], 0.0);
    for (int k = 0; k < c.n; ++k) {
        if (k > debutPalier - 4 - 3 && k < finPalier + 4 + 3)
            continue; // windows holding fewer than 4 distinct abscissae
        const double x = c.x[k];
        EXPECT_NEAR(c.d1[k], 3 * x * x, 1e-9 * (1 + 3 * x * x)) << k;
        EXPECT_NEAR(c.d3[k], 6, 1e-6) << k;
    }
}

TEST(calculDerivees, AbscissesToutesEgalesDonnentZero)
{
    Courbe c(30, [](int) { return 500; }, [](double x) { return x; });
    ASSERT_NO_THROW(c.calcule());
    verifieNulAPartirDe(c, 0);
}

// A value that is not a number spoils only the windows holding it: the
// running sums must not carry it along the rest of the curve, and a bad end
// point must not spoil the curve either.
TEST(calculDerivees, UneValeurNonNumeriqueNeGateQueSesFenetres)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Cas {
        const char* nom;
        bool surX;
        double valeur;
        int p;
    };
    const Cas cas[] = {{"NaN en y", false, nan, 60},     {"infini en y", false, -inf, 60},
                       {"infini en x", true, inf, 60},   {"NaN en x", true, nan, 60},
                       {"NaN en x au debut", true, nan, 0}, {"infini en x a la fin", true, inf, 119}};
    auto abscisse = [](int i) { return 400 + 0.5 * i; };
    auto f = [](double x) { return 0.4 + 0.3 * std::exp(-std::pow((x - 430) / 12, 2)); };
    Courbe propre(120, abscisse, f);
    propre.calcule();
    double penteMax = 0;
    for (int i = 0; i < propre.n; ++i)
        penteMax = std::max(penteMax, std::fabs(propre.d1[i]));
    for (const auto& k : cas) {
        Courbe c(120, abscisse, f);
        (k.surX ? c.x : c.y)[k.p] = k.valeur;
        ASSERT_NO_THROW(c.calcule()) << k.nom;
        for (int i = 0; i < c.n; ++i) {
            ASSERT_TRUE(std::isfinite(c.d1[i]) && std::isfinite(c.d2[i]) && std::isfinite(c.d3[i]))
                << k.nom << ", point " << i;
            const bool servieParUneFenetreAtteinte =
                std::abs(i - k.p) <= 4 || (k.p < 9 && i <= 4) || (k.p > c.n - 10 && i >= c.n - 5);
            if (servieParUneFenetreAtteinte) {
                EXPECT_EQ(c.d1[i], 0.0) << k.nom << ", point " << i;
                EXPECT_EQ(c.d3[i], 0.0) << k.nom << ", point " << i;
            } else {
                EXPECT_NEAR(c.d1[i], propre.d1[i], 1e-6 * penteMax) << k.nom << ", point " << i;
            }
        }
    }
}

TEST(calculDerivees, UnCompteTropGrandSArreteAuBoutDesVecteurs)
{
    auto abscisse = [](int i) { return 190 + 0.455 * i; };
    auto f = [](double x) { return std::sin(x / 40); };
    Courbe complet(tailleVecteur, abscisse, f);
    complet.calcule();
    Courbe trop(tailleVecteur, abscisse, f);
    trop.n = tailleVecteur + 100;
    trop.calcule();
    EXPECT_EQ(trop.d1, complet.d1);
    EXPECT_EQ(trop.d2, complet.d2);
    EXPECT_EQ(trop.d3, complet.d3);
}

} // namespace

#include "GrapheEssai.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>

namespace {

TEST(MiseEnPage, surfaceEcranDe540Sur499)
{
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    EXPECT_EQ(g.HautCarac, 16);
    EXPECT_EQ(g.Marge, 5);
    EXPECT_EQ(g.LargCarac, 10);
    EXPECT_EQ(g.hauteurSpectre, 9);
    EXPECT_EQ(g.LimiteFenetre, (TRectangle{0, 0, 540, 499}));
    EXPECT_EQ(g.LimiteCourbe, (TRectangle{45, 5, 535, 469}));
    EXPECT_TRUE(g.mondeX->avecAxe && g.mondeX->grandAxe);
    EXPECT_TRUE(g.mondeY->avecAxe && g.mondeY->grandAxe);
    EXPECT_EQ(g.penWidth, 1);

    int xi = 0, yi = 0;
    g.WindowXY(190, 0, *g.mondeY, xi, yi);
    EXPECT_EQ(xi, 45);
    EXPECT_EQ(yi, 469);
    g.WindowXY(1100, 3, *g.mondeY, xi, yi);
    EXPECT_EQ(xi, 535);
    EXPECT_EQ(yi, 5);
    double xr = 0, yr = 0;
    g.MondeXY(45, 469, *g.mondeY, xr, yr);
    EXPECT_NEAR(xr, 190, 1e-9);
    EXPECT_NEAR(yr, 0, 1e-12);

    const Primitives t = filtre(s, [](const TPrimitiveDessin& p) { return p.genre == TPrimitiveDessin::Genre::texte; });
    ASSERT_FALSE(t.empty());
    for (const TPrimitiveDessin& p : t) {
        EXPECT_EQ(p.nomFonte, QStringLiteral("Calibri"));
        EXPECT_EQ(p.hauteurFonte, 16);
    }
}

struct CasFonte {
    int hauteur;
    int haut;
    int marge;
    int larg;
};

void PrintTo(const CasFonte& c, std::ostream* os) { *os << c.hauteur << " px"; }

class HauteurFonte : public ::testing::TestWithParam<CasFonte> {};

TEST_P(HauteurFonte, suitLaHauteurDeLaZone)
{
    const CasFonte c = GetParam();
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 800, c.hauteur});
    dessineEcran(g, s);
    EXPECT_EQ(g.HautCarac, c.haut);
    EXPECT_EQ(g.Marge, c.marge);
    EXPECT_EQ(g.LargCarac, c.larg);
}

INSTANTIATE_TEST_SUITE_P(Bandes, HauteurFonte, ::testing::Values(
    CasFonte{100, 13, 4, 8}, CasFonte{419, 13, 4, 8}, CasFonte{420, 16, 5, 10},
    CasFonte{569, 16, 5, 10}, CasFonte{570, 20, 6, 13}, CasFonte{749, 20, 6, 13},
    CasFonte{750, 25, 8, 16}, CasFonte{900, 30, 10, 20}));

struct CasAxes {
    int largeur;
    int hauteur;
    bool axeX;
    bool grandX;
    bool axeY;
    bool grandY;
};

void PrintTo(const CasAxes& c, std::ostream* os) { *os << c.largeur << "x" << c.hauteur; }

class ChoixDesAxes : public ::testing::TestWithParam<CasAxes> {};

// With the 13-pixel font: ordinate graduations above 81 pixels of height,
// dense above 162; abscissa graduations above 160 pixels of width, dense above
// 320. The comparisons are strict.
TEST_P(ChoixDesAxes, comparaisonsStrictes)
{
    const CasAxes c = GetParam();
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, c.largeur, c.hauteur});
    dessineEcran(g, s);
    ASSERT_EQ(g.HautCarac, 13);
    EXPECT_EQ(g.mondeX->avecAxe, c.axeX);
    EXPECT_EQ(g.mondeX->grandAxe, c.grandX);
    EXPECT_EQ(g.mondeY->avecAxe, c.axeY);
    EXPECT_EQ(g.mondeY->grandAxe, c.grandY);
}

INSTANTIATE_TEST_SUITE_P(Limites, ChoixDesAxes, ::testing::Values(
    CasAxes{160, 81, false, false, false, false}, CasAxes{161, 82, true, false, true, false},
    CasAxes{320, 162, true, false, true, false}, CasAxes{321, 163, true, true, true, true}));

TEST(MiseEnPage, seulUnAbscisseNommeeTNeReservePasLaBande)
{
    for (auto [nom, bas] : {std::pair{u"t", 478}, {u"x", 469}, {u"λ", 469}}) {
        Tgraphe g;
        configureCinetique(g, 600);
        g.mondeX->nom = QString::fromUtf16(nom);
        TSurfaceEnregistreuse s({0, 0, 540, 499});
        dessineEcran(g, s);
        EXPECT_EQ(g.LimiteCourbe.Bottom, bas) << QString::fromUtf16(nom).toStdString();
    }
}

TEST(MiseEnPage, seulLOrdonneeMontreeRecoitUneTransformee)
{
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    EXPECT_EQ(g.MondeTrans->a, 1);
    EXPECT_EQ(g.MondeTrans->b, 0);
    g.mondeY = g.MondeTrans.get();
    dessineEcran(g, s);
    EXPECT_DOUBLE_EQ(g.MondeTrans->a, (5.0 - 469.0) / 1.0);
    EXPECT_DOUBLE_EQ(g.MondeTrans->deltaAxe, 0.2);
}

TEST(WindowXY, uneValeurImpossibleDonneMoinsUnPartout)
{
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [x, y] : {std::pair{nan, 1.0}, {500.0, nan}, {inf, 1.0}, {500.0, -inf}, {1e12, 1.0}, {500.0, 1e12}}) {
        int xi = 0, yi = 0;
        g.WindowXY(x, y, *g.mondeY, xi, yi);
        EXPECT_EQ(xi, -1) << x << ", " << y;
        EXPECT_EQ(yi, -1) << x << ", " << y;
    }
}

struct CasDerivee {
    double a;
    double b;  // the derivative goes linearly from a to b
    double mini;
    double maxi;
};

void PrintTo(const CasDerivee& c, std::ostream* os) { *os << c.a << ".." << c.b; }

class SetMondeDer : public ::testing::TestWithParam<CasDerivee> {};

TEST_P(SetMondeDer, echelleDeLaDerivee)
{
    const CasDerivee c = GetParam();
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    g.nbrePoints = 11;
    Tmonde& d = *g.mondeDer[2];
    for (std::size_t k = 0; k < 11; ++k) d.valeur[k] = c.a + (c.b - c.a) * static_cast<double>(k) / 10;
    d.valeur[11] = 1e9;  // beyond the curve: not read
    g.setMondeDer(2);
    EXPECT_NEAR(d.mini, c.mini, 1e-12);
    EXPECT_NEAR(d.maxi, c.maxi, 1e-12);
    EXPECT_NEAR(d.a, (5.0 - 469.0) / (c.maxi - c.mini), 1e-9);
    EXPECT_NEAR(d.b, 469 - c.mini * d.a, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cas, SetMondeDer, ::testing::Values(
    CasDerivee{0.7, 0.7, 0.7, 1.7},     // constant: c .. c+1
    CasDerivee{0, 0, 0, 1},
    CasDerivee{0.05, 1, 0, 1},          // nearly all positive: from 0
    CasDerivee{0.2, 1, 0.2, 1},
    CasDerivee{-1, -0.05, -1, -0.05},   // a negative range is left alone
    CasDerivee{-1, 2, -1, 2}, CasDerivee{0, 5, 0, 5}));

TEST(ChercheMonde, calculeLesDeriveesAPartirDeDixPoints)
{
    for (int n : {9, 10, 40}) {
        Tgraphe g;
        configureSpectre(g);
        for (std::size_t k = 0; k < 40; ++k) {
            g.mondeX->valeur[k] = 1 + static_cast<double>(k);
            g.mondeAbs->valeur[k] = 0.001 * g.mondeX->valeur[k] * g.mondeX->valeur[k];
        }
        g.mondeDer[1]->valeur.fill(42);
        g.nbrePoints = static_cast<indiceVecteur>(n);
        g.traceDer[3] = true;  // any order shown computes all three
        TSurfaceEnregistreuse s({0, 0, 540, 499});
        dessineEcran(g, s);
        if (n < 10) {
            EXPECT_EQ(g.mondeDer[1]->valeur[5], 42) << n;
            continue;
        }
        EXPECT_NEAR(g.mondeDer[1]->valeur[5], 0.002 * 6, 1e-6) << n;
        EXPECT_NEAR(g.mondeDer[2]->valeur[5], 0.002, 1e-6) << n;
        EXPECT_EQ(g.mondeDer[1]->maxi, 255) << "order 1 is not shown, so not scaled";
        EXPECT_NE(g.mondeDer[3]->maxi, 255);
    }
}

}  // namespace

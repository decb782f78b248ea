#include "GrapheEssai.h"

#include "graph/LecturePoint.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

// A spectrum drawn on a 540 x 499 surface, its current curve at 500, 510 …
// 600 nm, and one kept curve.
class LecturePoint : public ::testing::Test {
protected:
    void SetUp() override
    {
        configureSpectre(g);
        for (int k = 0; k <= 10; ++k) {
            g.mondeX->valeur[k] = 500 + 10 * k;
            g.mondeAbs->valeur[k] = 1 + 0.1 * k;
            g.MondeTrans->valeur[k] = 50 - k;
        }
        g.nbrePoints = 11;
        dessineEcran(g, surface);
    }

    QPoint pixel(double x, double y) const
    {
        int xi = 0;
        int yi = 0;
        g.WindowXY(x, y, *g.mondeY, xi, yi);
        return {xi, yi};
    }

    void garde(double x, double a)
    {
        Tdonnees c;
        c.X[0] = x;
        c.A[0] = a;
        c.T[0] = 10;
        c.nombre = 1;
        g.listeDonnees.push_back(c);
    }

    Tgraphe g;
    TSurfaceEnregistreuse surface{{0, 0, 540, 499}};
};

TEST_F(LecturePoint, lePointLePlusProcheLaCouranteDAbord)
{
    const QPoint p = pixel(530, 1.3);
    TPointLu lu = pointProche(g, p.x() + 2, p.y() - 3);
    EXPECT_EQ(lu.courbe, TPointLu::courante);
    EXPECT_EQ(lu.indice, 3);
    EXPECT_EQ(lu.x, 530);

    garde(530, 1.3); // on the very same pixel: the current curve stays first
    lu = pointProche(g, p.x(), p.y());
    EXPECT_EQ(lu.courbe, TPointLu::courante);

    garde(700, 2.5); // nearer to the pointer than any current point
    const QPoint q = pixel(700, 2.5);
    lu = pointProche(g, q.x() + 1, q.y());
    EXPECT_EQ(lu.courbe, 1);
    EXPECT_EQ(lu.indice, 0);
    EXPECT_EQ(lu.y, 2.5);

    Tgraphe vide;
    configureSpectre(vide);
    EXPECT_FALSE(pointProche(vide, 100, 100).trouve());
    EXPECT_EQ(texteLecture(vide, pointProche(vide, 100, 100)), QString());
}

TEST_F(LecturePoint, uneDeriveeTraceeSeLitAvecSonOrdre)
{
    // A parabola: its second derivative is 0.002 everywhere.
    for (int k = 0; k <= 10; ++k) g.mondeAbs->valeur[k] = 1 + 0.001 * (10 * k) * (10 * k);
    g.traceDer[2] = true;
    dessineEcran(g, surface);
    int xi = 0;
    int yi = 0;
    g.WindowXY(560, g.mondeDer[2]->valeur[6], *g.mondeDer[2], xi, yi);
    const TPointLu lu = pointProche(g, xi, yi);
    EXPECT_EQ(lu.ordre, 2);
    EXPECT_EQ(lu.indice, 6);
    EXPECT_EQ(texteLecture(g, lu, QLocale(QLocale::French, QLocale::France)),
              QStringLiteral("λ = 560 nm   d²A/dλ² = 0,002"));
}

struct CasTexte {
    const char* nom;
    bool cinetique;
    bool transmittance;
    double x;
    double y;
    QLocale::Language langue;
    const char* attendu;
};

class TexteLecture : public ::testing::TestWithParam<CasTexte> {};

TEST_P(TexteLecture, commeLeResteDuProgramme)
{
    const CasTexte& c = GetParam();
    Tgraphe g;
    if (c.cinetique) configureCinetique(g, 240);
    else configureSpectre(g);
    if (c.transmittance) g.mondeY = g.MondeTrans.get();
    const TPointLu p{TPointLu::courante, 0, 0, c.x, c.y, 0, 0};
    const QLocale locale(c.langue, c.langue == QLocale::French ? QLocale::France : QLocale::UnitedKingdom);
    EXPECT_EQ(texteLecture(g, p, locale), QString::fromUtf8(c.attendu));
}

INSTANTIATE_TEST_SUITE_P(
    Textes, TexteLecture,
    ::testing::Values(
        CasTexte{"absorbanceFrancais", false, false, 512, 1.2344, QLocale::French, "λ = 512 nm   A = 1,234"},
        CasTexte{"absorbanceAnglais", false, false, 512, 1.2344, QLocale::English, "λ = 512 nm   A = 1.234"},
        CasTexte{"demiNanometre", false, false, 512.5, 0.5, QLocale::French, "λ = 512,5 nm   A = 0,500"},
        CasTexte{"transmittance", false, true, 600, 45.63, QLocale::French, "λ = 600 nm   T = 45,6 %"},
        CasTexte{"cinetique", true, false, 80, 0.8123, QLocale::French, "t = 00:01:20 (80 s)   A = 0,812"},
        CasTexte{"cinetiqueLongue", true, false, 4000, 1.5, QLocale::English,
                 "t = 01:06:40 (4000 s)   A = 1.500"}),
    [](const auto& info) { return std::string(info.param.nom); });

} // namespace

#include "GrapheEssai.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

namespace {

// A point of a kept curve given by its pixel offset from the click.
struct Decalage {
    int courbe;
    int dx;
    int dy;
};

struct CasProche {
    const char* nom;
    std::vector<Decalage> points;
    bool transmittance;
    int attendu;
};

void PrintTo(const CasProche& c, std::ostream* os) { *os << c.nom; }

class CourbeProche : public ::testing::TestWithParam<CasProche> {};

// Kept curves whose points sit at chosen pixel offsets from a click at
// (300, 200), placed through the graph's own inverse transform. Every curve
// also has a far point first, so the index of the close point varies.
TEST_P(CourbeProche, courbeGardeeLaPlusProcheEnDistanceDeManhattan)
{
    const CasProche c = GetParam();
    Tgraphe g;
    configureSpectre(g);
    g.mondeY = c.transmittance ? g.MondeTrans.get() : g.mondeAbs.get();
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const QPoint clic(300, 200);

    int nbreCourbes = 0;
    for (const Decalage& d : c.points) nbreCourbes = std::max(nbreCourbes, d.courbe + 1);
    g.listeDonnees.resize(static_cast<std::size_t>(nbreCourbes));
    for (Tdonnees& courbe : g.listeDonnees) {
        courbe.X[0] = 1000;
        courbe.A[0] = courbe.T[0] = 0.1;
        courbe.nombre = 1;
    }
    for (const Decalage& d : c.points) {
        Tdonnees& courbe = g.listeDonnees[static_cast<std::size_t>(d.courbe)];
        const auto k = static_cast<std::size_t>(courbe.nombre++);
        double x = 0, y = 0;
        g.MondeXY(clic.x() + d.dx, clic.y() + d.dy, *g.mondeY, x, y);
        courbe.X[k] = x;
        // The ordinate not shown is far away: it must not count.
        courbe.A[k] = c.transmittance ? 2.9 : y;
        courbe.T[k] = c.transmittance ? y : 0.01;
    }
    EXPECT_EQ(g.CourbeProche(clic.x(), clic.y()), c.attendu);
}

INSTANTIATE_TEST_SUITE_P(Cas, CourbeProche, ::testing::Values(
    CasProche{"surLaCourbe2", {{0, 10, 5}, {1, 40, 0}, {2, 0, 0}}, false, 2},
    CasProche{"a15Pixels", {{0, -10, 5}, {1, 16, 0}}, false, 0},
    CasProche{"a16PixelsRien", {{0, 16, 0}, {1, -8, 8}, {2, 0, -16}}, false, -1},
    CasProche{"egaliteLaPremiereGagne", {{0, 3, 4}, {1, -4, -3}, {2, 7, 0}}, false, 0},
    CasProche{"plusProcheDansLaCourbe1", {{0, 9, 0}, {1, 20, 0}, {1, 0, 2}}, false, 1},
    CasProche{"enTransmittance", {{0, 30, 0}, {1, 1, 1}}, true, 1},
    CasProche{"aucuneCourbe", {}, false, -1}),
    [](const ::testing::TestParamInfo<CasProche>& info) { return std::string(info.param.nom); });

TEST(CourbeProche, laCourbeCouranteNEstJamaisChoisie)
{
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    g.mondeX->valeur[0] = 500;
    g.mondeAbs->valeur[0] = 1;
    g.nbrePoints = 1;
    int xi = 0, yi = 0;
    g.WindowXY(500, 1, *g.mondeY, xi, yi);
    EXPECT_EQ(g.CourbeProche(xi, yi), -1);
}

}  // namespace

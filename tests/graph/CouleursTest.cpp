#include "graph/Couleurs.h"

#include <gtest/gtest.h>

#include <ostream>

#include <limits>

namespace {

struct CasCouleur {
    double x;
    int r;
    int g;
    int b;
};

void PrintTo(const CasCouleur& c, std::ostream* os) { *os << c.x << " nm"; }

class LongueurOnde : public ::testing::TestWithParam<CasCouleur> {};

TEST_P(LongueurOnde, donneLaCouleurVue)
{
    const CasCouleur c = GetParam();
    EXPECT_EQ(longueurOndeVersCouleur(c.x), QColor(c.r, c.g, c.b)) << c.x;
}

INSTANTIATE_TEST_SUITE_P(Exemples, LongueurOnde, ::testing::Values(
    CasCouleur{380, 97, 0, 97}, CasCouleur{440, 0, 0, 255}, CasCouleur{500, 0, 255, 146},
    CasCouleur{550, 163, 255, 0}, CasCouleur{600, 255, 190, 0}, CasCouleur{650, 255, 0, 0},
    CasCouleur{780, 97, 0, 0}, CasCouleur{379, 0, 0, 0}, CasCouleur{781, 0, 0, 0},
    // Rounded to whole nanometres first, halves to even.
    CasCouleur{379.5, 97, 0, 97}, CasCouleur{780.5, 97, 0, 0}, CasCouleur{549.6, 163, 255, 0}));

INSTANTIATE_TEST_SUITE_P(AutresUnites, LongueurOnde, ::testing::Values(
    CasCouleur{0.00055, 163, 255, 0},   // millimetres
    CasCouleur{5.5e-7, 163, 255, 0},    // metres
    CasCouleur{1, 0, 0, 0}, CasCouleur{0, 0, 0, 0}, CasCouleur{-600, 0, 0, 0},
    CasCouleur{std::numeric_limits<double>::quiet_NaN(), 0, 0, 0},
    CasCouleur{std::numeric_limits<double>::infinity(), 0, 0, 0}, CasCouleur{1e300, 0, 0, 0}));

TEST(CouleurConservee, tourneSurQuatreCouleurs)
{
    const QColor bleu(0, 0, 255), aqua(0, 255, 255), ciel(166, 202, 240), marine(0, 0, 128);
    const QColor attendues[] = {bleu, aqua, ciel, marine, bleu, aqua, ciel, marine, bleu};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(couleurConservee(i), attendues[i]) << i;
    EXPECT_EQ(couleurConservee(3), couleurCourbe);
}

TEST(ComposanteCouleur, nulleSansTeinteEtArrondieSinon)
{
    EXPECT_EQ(composanteCouleur(0, 1), 0);
    EXPECT_EQ(composanteCouleur(1, 1), 255);
    EXPECT_EQ(composanteCouleur(1, 0.3), 97);
}

}  // namespace

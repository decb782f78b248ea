// Peaks of synthetic spectra whose maxima are known: sums of Gaussian bands
// with measurement noise, scanned upwards and downwards.
#include "maths/Pics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

struct Bande {
    double centre;
    double largeur;
    double hauteur;
};

struct Spectre {
    std::vector<double> x;
    std::vector<double> y;
};

Spectre synthese(const std::vector<Bande>& bandes, double debut, double fin, double pas, double bruit,
                 unsigned graine, bool descendant = false)
{
    Spectre s;
    std::mt19937 alea(graine);
    std::normal_distribution<double> normale(0, bruit > 0 ? bruit : 1);
    const int n = static_cast<int>(std::lround((fin - debut) / pas)) + 1;
    for (int i = 0; i < n; ++i) {
        const double x = descendant ? fin - i * pas : debut + i * pas;
        double y = 0.05;
        for (const Bande& b : bandes) y += b.hauteur * std::exp(-0.5 * std::pow((x - b.centre) / b.largeur, 2));
        if (bruit > 0) y += normale(alea);
        s.x.push_back(x);
        s.y.push_back(y);
    }
    return s;
}

std::vector<TPic> pics(const Spectre& s)
{
    return cherchePics(s.x.data(), s.y.data(), static_cast<int>(s.x.size()));
}

struct CasPics {
    const char* nom;
    std::vector<Bande> bandes;
    double pas;
    double bruit;
    bool descendant;
    std::vector<double> attendus; // the bands' maxima, in the order of the points
};

class PicsSynthetiques : public ::testing::TestWithParam<CasPics> {};

// Each band's maximum is found once, within a tenth of the step, whatever the
// direction of the scan and the noise of the instrument.
TEST_P(PicsSynthetiques, chaqueBandeUneFoisAuDixiemeDuPas)
{
    const CasPics& cas = GetParam();
    for (unsigned graine = 1; graine <= 20; ++graine) {
        const Spectre s = synthese(cas.bandes, 400, 800, cas.pas, cas.bruit, graine, cas.descendant);
        const std::vector<TPic> trouves = pics(s);
        ASSERT_EQ(trouves.size(), cas.attendus.size()) << "seed " << graine;
        for (std::size_t k = 0; k < trouves.size(); ++k) {
            EXPECT_NEAR(trouves[k].x, cas.attendus[k], cas.pas / 10) << "seed " << graine << ", peak " << k;
            EXPECT_GT(trouves[k].prominence, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bandes, PicsSynthetiques,
    ::testing::Values(
        CasPics{"uneBandeSansBruit", {{512.3, 25, 1.2}}, 2, 0, false, {512.3}},
        CasPics{"uneBandeBruitee", {{512.3, 25, 1.2}}, 2, 0.002, false, {512.3}},
        CasPics{"deuxBandesDescendant", {{470.6, 20, 0.8}, {603.4, 30, 1.1}}, 1, 0.002, true, {603.4, 470.6}},
        CasPics{"pasLarge", {{555.5, 40, 0.9}}, 5, 0.001, false, {555.5}},
        CasPics{"petiteBandeAuPiedDUneGrande", {{500, 20, 1.5}, {650, 15, 0.15}}, 1, 0.0005, false, {500, 650}}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Pics, rienSurDuBruitPurNiSurUnePente)
{
    for (unsigned graine = 1; graine <= 50; ++graine) {
        const Spectre bruit = synthese({}, 400, 800, 1, 0.01, graine);
        EXPECT_TRUE(pics(bruit).empty()) << "seed " << graine;
    }
    Spectre pente;
    for (int i = 0; i < 200; ++i) {
        pente.x.push_back(400 + i);
        pente.y.push_back(2 - 0.005 * i);
    }
    EXPECT_TRUE(pics(pente).empty()) << "a falling edge cut off by the range is no peak";
}

TEST(Pics, bruitEstime)
{
    const Spectre s = synthese({{600, 40, 1}}, 400, 800, 1, 0.01, 7);
    EXPECT_NEAR(bruitCourbe(s.y.data(), static_cast<int>(s.y.size())), 0.01, 0.0015);
    EXPECT_EQ(bruitCourbe(s.y.data(), 2), 0);
}

TEST(Pics, pointsNonFinisEtCourbesCourtes)
{
    Spectre s = synthese({{600, 30, 1}}, 400, 800, 2, 0, 1);
    s.y[10] = std::numeric_limits<double>::quiet_NaN();
    s.y[150] = std::numeric_limits<double>::infinity();
    const std::vector<TPic> trouves = pics(s);
    ASSERT_EQ(trouves.size(), 1u);
    EXPECT_NEAR(trouves[0].x, 600, 0.2);
    EXPECT_TRUE(cherchePics(s.x.data(), s.y.data(), 2).empty());
    EXPECT_TRUE(cherchePics(s.x.data(), s.y.data(), 0).empty());
    const std::vector<double> plat(50, 0.3);
    EXPECT_TRUE(cherchePics(plat.data(), plat.data(), 50).empty());
}

} // namespace

#include "../common/LocaleScope.h"

#include "graph/Tmonde.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct CasPas {
    double mini;
    double maxi;
    bool grandAxe;
    double pas;
    double premiere;
};

void PrintTo(const CasPas& c, std::ostream* os)
{
    *os << c.mini << ".." << c.maxi << (c.grandAxe ? " dense" : " sparse");
}

class PasGraduation : public ::testing::TestWithParam<CasPas> {};

TEST_P(PasGraduation, donneLePasEtLaPremiereGraduation)
{
    const CasPas c = GetParam();
    Tmonde m;
    m.mini = c.mini;
    m.maxi = c.maxi;
    m.grandAxe = c.grandAxe;
    m.setDelta();
    // Decades below 1 carry the single-precision error of their power of ten.
    EXPECT_NEAR(m.deltaAxe, c.pas, 1e-6 * c.pas);
    EXPECT_NEAR(m.pointDebut, c.premiere, 1e-6 * c.pas);
}

// The single-precision power of ten puts a range of exactly 100 just below
// the decade: 10 on a dense axis and 20 on a sparse one, not 20 and 50.
INSTANTIATE_TEST_SUITE_P(Plages, PasGraduation, ::testing::Values(
    CasPas{190, 1100, true, 100, 200},   CasPas{190, 1100, false, 200, 200},
    CasPas{0, 3, true, 0.5, 0},          CasPas{0, 3, false, 1, 0},
    CasPas{0, 1, true, 0.2, 0},          CasPas{0, 1, false, 0.5, 0},
    CasPas{0, 600, true, 100, 0},        CasPas{0, 600, false, 200, 0},
    CasPas{0, 100, true, 10, 0},         CasPas{0, 100, false, 20, 0},
    CasPas{0, 3600, true, 500, 0},       CasPas{0, 3600, false, 1000, 0},
    CasPas{0, 200, true, 20, 0},         CasPas{-0.5, 0.5, true, 0.2, -0.4},
    CasPas{0.001, 0.0042, true, 0.0005, 0.001}, CasPas{-7, 93, true, 10, 0}));

TEST(PasGraduation, sansPasPourDesLimitesSansEtendue)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [mini, maxi] : {std::pair{5.0, 5.0}, {3.0, 1.0}, {0.0, nan}, {0.0, inf}, {0.0, 1e300}}) {
        Tmonde m;
        m.mini = mini;
        m.maxi = maxi;
        m.setDelta();
        EXPECT_EQ(m.deltaAxe, 0) << mini << ".." << maxi;
        EXPECT_FALSE(std::isnan(m.pointDebut)) << mini << ".." << maxi;
    }
}

TEST(Tmonde, valeursACreation)
{
    const Tmonde m;
    EXPECT_EQ(m.mini, 0);
    EXPECT_EQ(m.maxi, 255);
    EXPECT_EQ(m.a, 1);
    EXPECT_EQ(m.b, 0);
    EXPECT_TRUE(m.zeroInclus);
    EXPECT_FALSE(m.avecAxe);
    EXPECT_FALSE(m.grandAxe);
    EXPECT_TRUE(m.nom.isEmpty());
    EXPECT_EQ(m.deltaAxe, 0);
    EXPECT_EQ(m.pointDebut, 0);
    EXPECT_TRUE(std::all_of(m.valeur.begin(), m.valeur.end(), [](double v) { return v == 0; }));
}

struct CasArrondi {
    double a;
    double b;
    double r;
    int pixel;
};

void PrintTo(const CasArrondi& c, std::ostream* os) { *os << c.a << "*" << c.r << "+" << c.b; }

class AffecteEntier : public ::testing::TestWithParam<CasArrondi> {};

TEST_P(AffecteEntier, arrondiAuPairLePlusProche)
{
    const CasArrondi c = GetParam();
    Tmonde m;
    m.a = c.a;
    m.b = c.b;
    int i = 12345;
    ASSERT_TRUE(m.affecteEntier(c.r, i));
    EXPECT_EQ(i, c.pixel);
}

INSTANTIATE_TEST_SUITE_P(Demis, AffecteEntier, ::testing::Values(
    CasArrondi{1, 0, 2.5, 2}, CasArrondi{1, 0, 3.5, 4}, CasArrondi{1, 0, -2.5, -2},
    CasArrondi{1, 0, 0.49, 0}, CasArrondi{1, 0, 0.51, 1}, CasArrondi{2, 10, 1.25, 12},
    CasArrondi{-154.6667, 469, 3, 5}));

TEST(AffecteEntier, refuseCeQuiNeTientPasDansUnEntier)
{
    Tmonde m;
    for (double r : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), 3e9, -3e9}) {
        int i = 7;
        EXPECT_FALSE(m.affecteEntier(r, i)) << r;
        EXPECT_EQ(i, 7);
    }
}

struct CasFormat {
    double x;
    const char16_t* francais;
    const char16_t* anglais;
};

void PrintTo(const CasFormat& c, std::ostream* os) { *os << c.x; }

class FormatAxe : public ::testing::TestWithParam<CasFormat> {};

TEST_P(FormatAxe, troisChiffresSignificatifsAuSeparateurDuPays)
{
    const CasFormat c = GetParam();
    const Tmonde m;
    {
        LocaleScope fr(LocaleScope::francais());
        EXPECT_EQ(m.FormatAxe(c.x), QString::fromUtf16(c.francais));
    }
    LocaleScope en(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(m.FormatAxe(c.x), QString::fromUtf16(c.anglais));
}

INSTANTIATE_TEST_SUITE_P(Exemples, FormatAxe, ::testing::Values(
    CasFormat{200, u"200", u"200"}, CasFormat{0.5, u"0,5", u"0.5"}, CasFormat{2.5, u"2,5", u"2.5"},
    CasFormat{1000, u"1E3", u"1E3"}, CasFormat{1500, u"1,5E3", u"1.5E3"},
    CasFormat{0.00002, u"2E-5", u"2E-5"}, CasFormat{0, u"0", u"0"}, CasFormat{-0.4, u"-0,4", u"-0.4"},
    // Fixed notation from 0.0001 to below 1000, after rounding.
    CasFormat{0.0001, u"0,0001", u"0.0001"}, CasFormat{0.00009996, u"0,0001", u"0.0001"},
    CasFormat{0.00009, u"9E-5", u"9E-5"}, CasFormat{999, u"999", u"999"},
    CasFormat{999.6, u"1E3", u"1E3"}, CasFormat{123456, u"1,23E5", u"1.23E5"},
    CasFormat{0.12345, u"0,123", u"0.123"}, CasFormat{-2500, u"-2,5E3", u"-2.5E3"},
    // A graduation run in single precision carries noise that must not show.
    CasFormat{static_cast<double>(0.6f), u"0,6", u"0.6"},
    CasFormat{static_cast<double>(2.0f + 0.2f), u"2,2", u"2.2"}));

}  // namespace

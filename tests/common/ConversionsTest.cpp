#include "common/Conversions.h"
#include "LocaleScope.h"

#include <gtest/gtest.h>

#include <QString>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

class AvecLocale : public ::testing::TestWithParam<QLocale> {
protected:
    void SetUp() override { portee_ = std::make_unique<LocaleScope>(GetParam()); }
    void TearDown() override { portee_.reset(); }

private:
    std::unique_ptr<LocaleScope> portee_;
};

std::string nomLocale(const ::testing::TestParamInfo<QLocale>& info)
{
    return info.param.language() == QLocale::C ? "C" : "Francais";
}

struct CasLecture {
    const char* texte;
    double attendu;
};

// Both separators are accepted under either locale; anything that is not a
// plain number reads as 0.
const CasLecture casLecture[] = {
    {"500.0", 500.0},        {"500,0", 500.0},       {"  0.1234  ", 0.1234},
    {"-0.012", -0.012},      {"+1.5", 1.5},          {"1.5E3", 1500.0},
    {"1,5e-3", 0.0015},      {"2e+2", 200.0},        {"5.", 5.0},
    {".5", 0.5},             {"\t7\t", 7.0},         {"0", 0.0},
    {"", 0.0},               {"   ", 0.0},           {"-", 0.0},
    {"+", 0.0},              {"1.2.3", 0.0},         {"1,2,3", 0.0},
    {"1,234.5", 0.0},        {"1.234,5", 0.0},       {"1 234", 0.0},
    {"abc", 0.0},            {"12abc", 0.0},         {"1e", 0.0},
    {"1e+", 0.0},            {"e5", 0.0},            {"1e400", 0.0},
    {"--1", 0.0},            {"500.0,0.123", 0.0},   {"0x10", 0.0},
    {"inf", 0.0},            {"nan", 0.0},           {"1_000", 0.0},
};

TEST_P(AvecLocale, texteVersReelLitLesDeuxSeparateursEtRefuseLeReste)
{
    for (const auto& c : casLecture)
        EXPECT_DOUBLE_EQ(texteVersReel(QString::fromLatin1(c.texte)), c.attendu) << '"' << c.texte << '"';
}

struct CasEcriture {
    double valeur;
    const char* attendu;
};

const CasEcriture casEcriture[] = {
    // The examples the exchange format is defined by.
    {1.5, "1.5"},
    {2, "2"},
    {0.123456789, "0.1234568"},
    {1234567.8, "1234568"},
    {12345678, "1.234568E07"},
    {0.0001, "0.0001"},
    {0.00001234, "1.234E-05"},
    {-0.25, "-0.25"},
    // Boundaries of the fixed notation, and carries that move the exponent.
    {0, "0"},
    {-0.0, "0"},
    {0.5, "0.5"},
    {100, "100"},
    {9999999, "9999999"},
    {9999999.6, "1E07"},
    {10000000, "1E07"},
    {0.000099999996, "0.0001"},
    {0.00009999, "9.999E-05"},
    {123.456789, "123.4568"},
    {-1234.5, "-1234.5"},
    {1e100, "1E100"},
    {1e-300, "1E-300"},
    {-2.5e-7, "-2.5E-07"},
    {0.30103, "0.30103"},
};

TEST_P(AvecLocale, reelVersTexteSuitLeFormatGeneralAvecPoint)
{
    for (const auto& c : casEcriture)
        EXPECT_EQ(reelVersTexte(c.valeur).toStdString(), c.attendu) << c.valeur;
}

// The same rule stated differently: C's %G with 7 digits switches to the
// exponent form exactly when the decimal exponent leaves -4..6, which is the
// format's fixed range; only the exponent's spelling differs.
std::string formulationIndependante(double x)
{
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.7G", x);
    std::string s(tampon);
    const auto e = s.find('E');
    if (e != std::string::npos && s[e + 1] == '+') s.erase(e + 1, 1);
    return s;
}

TEST_P(AvecLocale, reelVersTexteAccordeAvecUneFormulationIndependante)
{
    std::mt19937_64 alea(20261209);
    std::uniform_real_distribution<double> mantisse(-10.0, 10.0);
    std::uniform_int_distribution<int> exposant(-12, 12);
    for (int i = 0; i < 5000; ++i) {
        const double x = mantisse(alea) * std::pow(10.0, exposant(alea));
        if (x == 0) continue;
        ASSERT_EQ(reelVersTexte(x).toStdString(), formulationIndependante(x)) << x;
    }
}

TEST_P(AvecLocale, reelVersTexteRelitSaPropreValeur)
{
    std::mt19937_64 alea(7);
    std::uniform_real_distribution<double> valeur(-3.0, 3.0);
    for (int i = 0; i < 1000; ++i) {
        const double x = valeur(alea);
        EXPECT_NEAR(texteVersReel(reelVersTexte(x)), x, std::fabs(x) * 1e-6 + 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, AvecLocale,
                         ::testing::Values(QLocale::c(), LocaleScope::francais()), nomLocale);

TEST(reelVersTexte, ValeursNonFiniesLisibles)
{
    EXPECT_EQ(reelVersTexte(std::nan("")), QStringLiteral("NAN"));
    EXPECT_EQ(reelVersTexte(HUGE_VAL), QStringLiteral("INF"));
    EXPECT_EQ(reelVersTexte(-HUGE_VAL), QStringLiteral("-INF"));
}

} // namespace

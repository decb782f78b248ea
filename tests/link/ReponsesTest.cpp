#include "link/Reponses.h"

#include "../common/LocaleScope.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Reponses, ChercheNombre)
{
    struct Cas {
        const char* ligne;
        qsizetype k;
        const char* texte;
    };
    const Cas cas[] = {
        {"  500.0   0.1234", 1, "500.0"},
        {"  500.0   0.1234", 8, "0.1234"},
        {"500.0-0.012", 7, "0.012"},
        {"ABS -0.0123 X", 1, "-0.0123"},
        {"500.0,0.123", 1, "500.0,0.123"},
        {"500.0,0.123", 13, ""},
        {"A5", 1, "5"},   // the last character is taken whatever it is
        {"AB", 1, "B"},
        {"AB", 2, "B"},
        {"AB", 3, ""},
        {"", 1, ""},
        {"x+-3", 1, "+"}, // a sign ends the number after its first character
        {"1e5", 1, "1"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(texteNombre(c.ligne, chercheNombre(c.ligne, c.k)), QByteArray(c.texte))
            << c.ligne << " from " << c.k;
}

class ReponsesLocale : public ::testing::TestWithParam<QLocale> {};

TEST_P(ReponsesLocale, LignesDePoint)
{
    LocaleScope locale(GetParam());
    struct Cas {
        const char* ligne;
        double lambda, absorbance;
    };
    const Cas cas[] = {
        {"  500.0   0.1234", 500.0, 0.1234},
        {"500.0-0.012", 500.0, 0.012},
        {"500,0;0,2", 500.0, 0.2},
        {"500.0,0.123", 0.0, 0.0},
        {"650.5", 650.5, 0.0},
        {"  251.0  -0.0500", 251.0, -0.05},
    };
    for (const Cas& c : cas) {
        const TPointLu p = lisLignePoint(c.ligne);
        EXPECT_DOUBLE_EQ(p.lambda, c.lambda) << c.ligne;
        EXPECT_DOUBLE_EQ(p.absorbance, c.absorbance) << c.ligne;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, ReponsesLocale,
                         ::testing::Values(QLocale::c(), LocaleScope::francais()));

TEST(Reponses, LigneAbsorbanceGardeLeTexte)
{
    EXPECT_EQ(lisLigneAbs("ABS -0.0123 X"), QByteArray("-0.0123"));
    EXPECT_EQ(lisLigneAbs("  0,5000 1.2"), QByteArray("0,5000"));
}

} // namespace

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

// The parsers' scanning rule, with either decimal separator in the locale;
// what does not read as a number never becomes one.
TEST_P(ReponsesLocale, FormeDesLignes)
{
    LocaleScope locale(GetParam());
    using F = TFormeLigne;
    struct Cas {
        const char* ligne;
        F forme;
        double lambda, valeur;
        const char* texte;
    };
    const Cas cas[] = {
        {"  500.0   0.1234", F::ePoint, 500.0, 0.1234, ""},
        {"500.0-0.012", F::ePoint, 500.0, 0.012, ""}, // the character after the wavelength is skipped
        {"500,0;0,2", F::ePoint, 500.0, 0.2, ""},
        {"  251.0  -0.0500", F::ePoint, 251.0, -0.05, ""},
        {"500.0,0.123", F::eIllisible, 0.0, 0.0, ""}, // the comma joins both into one number text
        {"650.5", F::eValeur, 0.0, 650.5, "650.5"},
        {"ABS -0.0123 X", F::eValeur, 0.0, -0.0123, "-0.0123"},
        {"  0,5000 1.2", F::ePoint, 0.5, 1.2, ""},
        {"ERR", F::eIllisible, 0.0, 0.0, ""},
        {"1.2.3", F::eIllisible, 0.0, 0.0, ""},
        {"-", F::eIllisible, 0.0, 0.0, ""},
        {"", F::eVide, 0.0, 0.0, ""},
    };
    for (const Cas& c : cas) {
        const TLigneAnalysee a = analyseLigne(c.ligne);
        EXPECT_EQ(a.forme, c.forme) << c.ligne;
        if (c.forme == F::ePoint) {
            EXPECT_DOUBLE_EQ(a.lambda, c.lambda) << c.ligne;
        }
        if (c.forme == F::ePoint || c.forme == F::eValeur) {
            EXPECT_DOUBLE_EQ(a.valeur, c.valeur) << c.ligne;
        }
        EXPECT_EQ(a.texteValeur, QByteArray(c.texte)) << c.ligne;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, ReponsesLocale,
                         ::testing::Values(QLocale::c(), LocaleScope::francais()));

} // namespace

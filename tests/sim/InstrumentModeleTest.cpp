// The instrument's inner working, without the line: layout of the scans,
// the command texts, the reply layout, the optics.
#include "sim/Balayage.h"
#include "sim/CommandesInstrument.h"
#include "sim/FormatLignes.h"
#include "sim/TModeleOptique.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct CasPlan {
    TReglageBalayage reglage;
    int parametre;
    int forces;
    std::size_t points;
    double premier, dernier;
};

TEST(Balayage, LongueursDOnde)
{
    const CasPlan cas[] = {
        {{8000, 5000, 3}, 600, 0, 601, 800.0, 500.0},  // parameter 2·w: every 0.5 nm
        {{8000, 5000, 3}, 599, 0, 301, 800.0, 500.0},  // below: every nm
        {{5000, 8000, 3}, 600, 0, 601, 800.0, 500.0},  // ends given the other way round
        {{11000, 1900, 1}, 910, 0, 911, 1100.0, 190.0},
        {{20000, 0, 1}, 99999, 0, 2001, 2000.0, 0.0},  // never beyond 2001 points
        {{8000, 8000, 1}, 0, 0, 1, 800.0, 800.0},
        {{11000, 1900, 4}, 910, 2100, 2100, 1100.0, 190.0},
        {{8000, 5000, 3}, 600, 1, 1, 800.0, 800.0},
    };
    for (const CasPlan& c : cas) {
        const std::vector<double> l = longueursOndeBalayage(c.reglage, c.parametre, c.forces);
        ASSERT_EQ(l.size(), c.points) << c.parametre << " " << c.forces;
        EXPECT_DOUBLE_EQ(l.front(), c.premier);
        EXPECT_NEAR(l.back(), c.dernier, 1e-9);
        for (std::size_t k = 1; k < l.size(); ++k) ASSERT_LT(l[k], l[k - 1]) << k;
    }
}

TEST(Balayage, LesVitessesLentesDurentPlus)
{
    for (int v = 1; v < 5; ++v) EXPECT_LT(secondesParNanometre(v), secondesParNanometre(v + 1));
    EXPECT_EQ(secondesParNanometre(0), secondesParNanometre(1));
    EXPECT_EQ(secondesParNanometre(9), secondesParNanometre(5));
}

TEST(CommandesInstrument, Analyse)
{
    using N = std::vector<std::optional<int>>;
    struct Cas {
        const char* texte;
        char code;
        N nombres;
    };
    const Cas cas[] = {
        {"c8000,5000", 'c', {8000, 5000}},
        {"a8000,5000,3", 'a', {8000, 5000, 3}},
        {"f600", 'f', {600}},
        {"x", 'x', {}},
        {"a8000,,3", 'a', {8000, std::nullopt, 3}},
        {"c80x0,5000", 'c', {std::nullopt, 5000}},
        {"w5000,", 'w', {5000, std::nullopt}},
        {"", '\0', {}},
    };
    for (const Cas& c : cas) {
        const TCommandeInstrument cmd = analyseCommande(c.texte);
        EXPECT_EQ(cmd.code, c.code) << c.texte;
        EXPECT_EQ(cmd.nombres, c.nombres) << c.texte;
    }
    const TCommandeInstrument a = analyseCommande("a8000,,3");
    EXPECT_EQ(a.nombre(1, 4200), 4200);
    EXPECT_EQ(a.nombre(7, 12), 12);
    for (const char c : std::string("cafwxd")) EXPECT_TRUE(commandeConnue(c)) << c;
    for (const char c : std::string("qC\0", 3)) EXPECT_FALSE(commandeConnue(c)) << c;
}

TEST(FormatLignes, Disposition)
{
    struct Cas {
        std::string obtenu, attendu;
    };
    const Cas cas[] = {
        {lignePoint(500.0, 0.1234), "  500.0   0.1234"},
        {lignePoint(1100.0, -0.01234), " 1100.0  -0.0123"},
        {lignePoint(799.5, -0.00001), "  799.5   0.0000"},
        {lignePoint(190.0, 3.45678), "  190.0   3.4568"},
        {ligneAbsorbance(0.1234), " 0.1234"},
        {ligneAbsorbance(-0.0123), "-0.0123"},
        {ligneAbsorbance(2.5), " 2.5000"},
    };
    for (const Cas& c : cas) EXPECT_EQ(c.obtenu, c.attendu);
}

TEST(FormatLignes, LigneLongueGardeSesNombresDevant)
{
    const std::string ligne = allongeLigne(lignePoint(500.0, 0.1234), 300);
    ASSERT_EQ(ligne.size(), 300U);
    EXPECT_EQ(ligne.substr(0, 17), "  500.0   0.1234 ");
    EXPECT_EQ(ligne.find_first_of("0123456789+-.,", 16), std::string::npos);
}

TEST(FormatLignes, ParasitesSansNombreNiOctetDuProtocole)
{
    std::mt19937 alea(7);
    for (int i = 0; i < 500; ++i) {
        const std::string octets = octetsParasites(alea);
        ASSERT_FALSE(octets.empty());
        EXPECT_EQ(octets.find_first_not_of("\r\n\x02\x03\x07"), std::string::npos);
        const std::string texte = texteParasite(alea);
        ASSERT_FALSE(texte.empty());
        EXPECT_LE(texte.size(), 6U);
        for (const char c : texte) EXPECT_TRUE(c >= 32 && c < 127) << int(c);
        EXPECT_EQ(texte.find_first_of("0123456789+-"), std::string::npos) << texte;
    }
}

// ---- Optics -----------------------------------------------------------------

double maximum(double (*f)(double))
{
    double m = 0.0;
    for (double l = 190.0; l <= 1100.0; l += 0.5) m = std::max(m, f(l));
    return m;
}

TEST(ModeleOptique, EchantillonATroisBandes)
{
    int sommets = 0;
    for (double l = 190.5; l < 1100.0; l += 0.5) {
        const double a = TModeleOptique::absorbanceEchantillon(l);
        if (a > TModeleOptique::absorbanceEchantillon(l - 0.5) && a > TModeleOptique::absorbanceEchantillon(l + 0.5))
            ++sommets;
    }
    EXPECT_EQ(sommets, 3);
    EXPECT_GT(maximum(TModeleOptique::absorbanceEchantillon), 1.5);
    EXPECT_LT(maximum(TModeleOptique::absorbanceEchantillon), 2.2);
}

// The blank removes the optics where it was taken; elsewhere they show.
TEST(ModeleOptique, LeBlancRetireLaReference)
{
    TModeleOptique m(3);
    m.prendBlanc(800.0, 500.0);
    double ecartDedans = 0.0;
    for (double l = 500.0; l <= 800.0; l += 1.0)
        ecartDedans = std::max(ecartDedans, std::abs(m.mesureEchantillon(l) - TModeleOptique::absorbanceEchantillon(l)));
    EXPECT_LT(ecartDedans, 0.01);
    const double dehors = m.mesureEchantillon(300.0) - TModeleOptique::absorbanceEchantillon(300.0);
    EXPECT_NEAR(dehors, TModeleOptique::absorbanceReference(300.0), 0.01);
    EXPECT_GT(TModeleOptique::absorbanceReference(300.0), 0.02);
}

// The zero holds at its own wavelength; moved elsewhere, the difference of
// the optics between the two shows.
TEST(ModeleOptique, ZeroALaLongueurDOnde)
{
    TModeleOptique m(5);
    m.faitZero(590.0);
    const double demiVie = 1e9;
    EXPECT_NEAR(m.mesureColorant(590.0, 0.0, demiVie), TModeleOptique::absorbanceColorant(590.0, 0.0, demiVie), 0.02);
    const double decalage = TModeleOptique::absorbanceReference(200.0) - TModeleOptique::absorbanceReference(590.0);
    EXPECT_NEAR(m.mesureColorant(200.0, 0.0, demiVie) - TModeleOptique::absorbanceColorant(200.0, 0.0, demiVie),
                decalage, 0.02);
}

// First order: the dye's share halves every half-life, the product grows.
TEST(ModeleOptique, ColorantDuPremierOrdre)
{
    const double t12 = 120.0;
    const double a0 = TModeleOptique::absorbanceColorant(590.0, 0.0, t12);
    for (int n = 1; n <= 4; ++n)
        EXPECT_NEAR(TModeleOptique::absorbanceColorant(590.0, n * t12, t12), a0 / std::exp2(n), 1e-3) << n;
    EXPECT_LT(TModeleOptique::absorbanceColorant(365.0, 0.0, t12),
              TModeleOptique::absorbanceColorant(365.0, 10 * t12, t12));
    EXPECT_GT(a0, 1.0);
    EXPECT_LT(a0, 2.2);
}

// A kinetics run starts near 1.5 wherever in the visible it is set.
TEST(ModeleOptique, ColorantLargeDansLeVisible)
{
    for (const double lambda : {480.0, 500.0, 540.0, 590.0, 600.0})
        EXPECT_NEAR(TModeleOptique::absorbanceColorant(lambda, 0.0, 180.0), 1.5, 0.25) << lambda;
}

TEST(ModeleOptique, LaGraineFixeLeBruit)
{
    TModeleOptique a(11), b(11), c(12);
    bool differe = false;
    for (double l = 400.0; l < 420.0; l += 1.0) {
        const double va = a.mesureEchantillon(l);
        EXPECT_EQ(va, b.mesureEchantillon(l));
        differe = differe || va != c.mesureEchantillon(l);
    }
    EXPECT_TRUE(differe);
    a.reensemence(12);
    EXPECT_EQ(a.mesureEchantillon(400.0), TModeleOptique(12).mesureEchantillon(400.0));
}

} // namespace

#include "GrapheEssai.h"

#include "graph/Couleurs.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

namespace {

TEST(TgrapheCreation, valeursInitiales)
{
    const Tgraphe g;
    EXPECT_EQ(g.nbrePoints, 0);
    EXPECT_TRUE(g.listeDonnees.empty());
    EXPECT_TRUE(g.listeRepere.empty());
    EXPECT_FALSE(g.mondeX->zeroInclus);
    EXPECT_TRUE(g.mondeAbs->zeroInclus);
    EXPECT_TRUE(g.MondeTrans->zeroInclus);
    EXPECT_EQ(g.mondeY, g.mondeAbs.get());
    EXPECT_EQ(g.mondeDer[0], nullptr);
    for (int j = 1; j <= 3; ++j) {
        ASSERT_NE(g.mondeDer[j], nullptr);
        EXPECT_FALSE(g.traceDer[j]);
    }
    EXPECT_TRUE(g.quadrillage);
    EXPECT_EQ(g.canvas, nullptr);
    EXPECT_TRUE(g.Titre.isEmpty());
    EXPECT_FALSE(g.dataSaved);
    EXPECT_FALSE(g.ImprimanteMonochrome);
    EXPECT_EQ(g.LimiteCourbe, TRectangle{});
    EXPECT_EQ(g.penWidth, 0);
}

// A graph with a current curve of n points, as a scan leaves it.
void remplit(Tgraphe& g, int n, double decalage)
{
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        g.mondeX->valeur[i] = 400 + k;
        g.mondeAbs->valeur[i] = decalage + 0.01 * k;
        g.MondeTrans->valeur[i] = std::pow(10.0, -g.mondeAbs->valeur[i]);
    }
    g.nbrePoints = static_cast<indiceVecteur>(n);
}

TEST(AddCourbeCourante, copieLesVecteursEntiersEtLeCompte)
{
    Tgraphe g;
    remplit(g, 2001, 0.5);
    g.AddCourbeCourante();
    remplit(g, 10, 2.0);  // the next scan overwrites the current vectors
    ASSERT_EQ(g.listeDonnees.size(), 1u);
    const Tdonnees& c = g.listeDonnees[0];
    EXPECT_EQ(c.nombre, 2001);
    EXPECT_DOUBLE_EQ(c.A[0], 0.5);
    EXPECT_DOUBLE_EQ(c.A[2000], 0.5 + 20.0);
    EXPECT_DOUBLE_EQ(c.X[2000], 2400);
    EXPECT_DOUBLE_EQ(c.T[1], std::pow(10.0, -0.51));
    EXPECT_TRUE(g.dataSaved);
}

TEST(AddCourbeCourante, courbeVideGardeeEtMuette)
{
    Tgraphe g;
    g.AddCourbeCourante();
    ASSERT_EQ(g.listeDonnees.size(), 1u);
    EXPECT_EQ(g.listeDonnees[0].nombre, 0);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    configureSpectre(g);
    dessineEcran(g, s);
    EXPECT_TRUE(lignesDeCouleur(s, couleurConservee(0)).empty());
}

TEST(Reset, neTouchePasAuxCourbesGardeesNiAuxValeurs)
{
    Tgraphe g;
    remplit(g, 50, 1.0);
    g.AddCourbeCourante();
    g.AjouteRepere(10, QStringLiteral("ajout"));
    g.SetMonde(0, 0, 600, 2);
    g.Reset();
    EXPECT_EQ(g.nbrePoints, 0);
    EXPECT_FALSE(g.dataSaved);
    EXPECT_TRUE(g.listeRepere.empty());
    EXPECT_EQ(g.listeDonnees.size(), 1u);
    EXPECT_DOUBLE_EQ(g.mondeAbs->valeur[49], 1.49);
    EXPECT_EQ(g.mondeX->maxi, 600);
}

TEST(AjouteRepere, gardeLesDoublonsDansLOrdre)
{
    Tgraphe g;
    g.AjouteRepere(30, QStringLiteral("premier"));
    g.AjouteRepere(30, QStringLiteral("second"));
    ASSERT_EQ(g.listeRepere.size(), 2u);
    EXPECT_EQ(g.listeRepere[0].Text, QStringLiteral("premier"));
    EXPECT_EQ(g.listeRepere[1].Text, QStringLiteral("second"));
    EXPECT_EQ(g.listeRepere[1].Valeur, 30);
}

TEST(ChangementOrdonnee, neModifieAucuneValeur)
{
    Tgraphe g;
    remplit(g, 20, 0.3);
    g.AddCourbeCourante();
    const Tdonnees avant = g.listeDonnees[0];
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    configureSpectre(g);
    for (Tmonde* y : {g.MondeTrans.get(), g.mondeAbs.get()}) {
        g.mondeY = y;
        dessineEcran(g, s);
    }
    EXPECT_EQ(g.listeDonnees[0].A, avant.A);
    EXPECT_EQ(g.listeDonnees[0].T, avant.T);
    EXPECT_DOUBLE_EQ(g.mondeAbs->valeur[5], 0.35);
}

struct CasLimites {
    double minY;
    double maxY;
    double transMini;
    double transMaxi;
};

void PrintTo(const CasLimites& c, std::ostream* os) { *os << "A " << c.minY << ".." << c.maxY; }

class SetMonde : public ::testing::TestWithParam<CasLimites> {};

TEST_P(SetMonde, deduitLaTransmittanceDeLAbsorbance)
{
    const CasLimites c = GetParam();
    Tgraphe g;
    g.SetMonde(190, c.minY, 1100, c.maxY);
    EXPECT_EQ(g.mondeX->mini, 190);
    EXPECT_EQ(g.mondeX->maxi, 1100);
    EXPECT_EQ(g.mondeAbs->mini, c.minY);
    EXPECT_EQ(g.mondeAbs->maxi, c.maxY);
    EXPECT_NEAR(g.MondeTrans->mini, c.transMini, 1e-12);
    EXPECT_NEAR(g.MondeTrans->maxi, c.transMaxi, 1e-12);
}

// Below a tenth of the largest transmittance the scale starts at 0.
INSTANTIATE_TEST_SUITE_P(Exemples, SetMonde, ::testing::Values(
    CasLimites{0, 3, 0, 1}, CasLimites{0, 1, 0.1, 1}, CasLimites{0, 1.5, 0, 1},
    CasLimites{0.5, 0.9, std::pow(10.0, -0.9), std::pow(10.0, -0.5)}));

}  // namespace

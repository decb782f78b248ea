#include "maths/EsystemeLineaireError.h"
#include "maths/SystemeLineaire.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace {

const std::string texteErreur = "Erreur résolution système linéaire";

// Matrix of n unknowns from its rows, each given with its right-hand side.
TmatriceAugmentee matrice(std::initializer_list<std::initializer_list<double>> lignes)
{
    TmatriceAugmentee M;
    int i = 1;
    for (const auto& ligne : lignes) {
        int j = 1;
        for (const double v : ligne)
            M(i, j++) = v;
        ++i;
    }
    return M;
}

struct CasSoluble {
    const char* nom;
    int n;
    TmatriceAugmentee M;
    std::vector<double> attendu;
};

TEST(resoudSysteme, ResoutLesSystemesDeUnAQuatreInconnues)
{
    const CasSoluble cas[] = {
        {"une inconnue", 1, matrice({{4, 10}}), {2.5}},
        {"deux", 2, matrice({{2, 1, 5}, {1, 3, 10}}), {1, 3}},
        {"trois, premier pivot en ligne 3", 3,
         matrice({{1, 1, 1, 6}, {2, -1, 1, 3}, {-4, 1, 2, 4}}), {1, 2, 3}},
        {"quatre, zero en tete: echange obligatoire", 4,
         matrice({{0, 2, 1, 1, 11}, {1, 1, 1, 1, 10}, {2, 0, 1, -1, 1}, {1, -1, 3, 2, 16}}),
         {1, 2, 3, 4}},
        // Normal equations of a cubic on x = 1..9, as the derivative fits build them.
        {"equations normales", 4,
         matrice({{9, 45, 285, 2025, 9 + 45 + 285 + 2025},
                  {45, 285, 2025, 15333, 45 + 285 + 2025 + 15333},
                  {285, 2025, 15333, 120825, 285 + 2025 + 15333 + 120825},
                  {2025, 15333, 120825, 978405, 2025 + 15333 + 120825 + 978405}}),
         {1, 1, 1, 1}},
    };
    for (const auto& c : cas) {
        const TmatriceAugmentee avant = c.M;
        TsolutionSysteme x;
        ASSERT_NO_THROW(resoudSysteme(c.M, c.n, x)) << c.nom;
        for (int i = 1; i <= c.n; ++i)
            EXPECT_NEAR(x(i), c.attendu[i - 1], 1e-9)
                << c.nom << ", x" << i;
        EXPECT_TRUE(c.M == avant) << c.nom << ": the caller's matrix changed";
    }
}

struct CasInsoluble {
    const char* nom;
    int n;
    TmatriceAugmentee M;
};

TEST(resoudSysteme, SignaleLesSystemesInsolubles)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const CasInsoluble cas[] = {
        {"premiere colonne nulle", 4,
         matrice({{0, 1, 2, 3, 1}, {0, 4, 5, 6, 2}, {0, 7, 8, 10, 3}, {0, 1, 1, 1, 4}})},
        {"lignes proportionnelles", 2, matrice({{1, 2, 3}, {2, 4, 5}})},
        {"pivot egal au seuil", 1, matrice({{1e-100, 1}})},
        {"pivot negatif egal au seuil", 1, matrice({{-1e-100, 1}})},
        {"pivot non numerique", 2, matrice({{nan, 1, 1}, {1, 1, 1}})},
        {"coefficient infini", 2, matrice({{1, inf, 1}, {1, 1, 1}})},
        {"depassement de capacite", 1, matrice({{1e-90, 1e300}})},
        {"aucune inconnue", 0, matrice({{1, 1}})},
        {"plus de quatre inconnues", 5, matrice({{1, 0, 0, 0, 1}})},
    };
    for (const auto& c : cas) {
        TsolutionSysteme x;
        try {
            resoudSysteme(c.M, c.n, x);
            ADD_FAILURE() << c.nom << ": no exception";
        } catch (const EsystemeLineaireError& e) {
            EXPECT_EQ(e.what(), texteErreur) << c.nom;
        }
    }
}

TEST(resoudSysteme, UnPivotJusteAuDessusDuSeuilSuffit)
{
    TsolutionSysteme x;
    resoudSysteme(matrice({{2e-100, 6e-100}}), 1, x);
    EXPECT_NEAR(x(1), 3.0, 1e-15);
}

TEST(cherchePivot, PrendLaPremiereLigneDeplusGrandeValeurAbsolue)
{
    struct Cas {
        int k;
        std::array<double, 4> colonneK;
        int attendu;
    };
    const Cas cas[] = {
        {1, {1, -3, 3, 2}, 2},   // -3 and 3 tie: the first one
        {1, {1, 2, -5, 5}, 3},
        {1, {7, 1, 2, 3}, 1},    // already in place
        {2, {100, 1, -2, 2}, 3}, // rows above k are not looked at
        {4, {9, 9, 9, -1e-99}, 4},
    };
    for (const auto& c : cas) {
        TmatriceAugmentee M;
        for (int i = 1; i <= 4; ++i)
            M(i, c.k) = c.colonneK[i - 1];
        EXPECT_EQ(cherchePivot(M, c.k, 4), c.attendu) << "k = " << c.k;
    }
}

TEST(echangeLignes, EchangeDeLaColonneKALaColonneNPlusUn)
{
    TmatriceAugmentee M = matrice({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}});
    echangeLignes(M, 2, 3, 3);
    const TmatriceAugmentee attendu =
        matrice({{1, 2, 3, 4, 5}, {6, 12, 13, 14, 10}, {11, 7, 8, 9, 15}});
    EXPECT_TRUE(M == attendu);
    echangeLignes(M, 2, 2, 3);
    EXPECT_TRUE(M == attendu);
}

TEST(triangule, LaisseDesZerosSousLaDiagonale)
{
    TmatriceAugmentee M =
        matrice({{1, 1, 1, 1, 10}, {2, 0, 1, -1, 1}, {0, 2, 1, 1, 9}, {1, -1, 3, 2, 15}});
    triangule(M, 4);
    for (int i = 2; i <= 4; ++i)
        for (int j = 1; j < i; ++j)
            EXPECT_EQ(M(i, j), 0.0) << i << "," << j;
    EXPECT_EQ(M(1, 1), 2.0) << "largest pivot of column 1 brought up";
}

TEST(remonte, UnZeroSurLaDiagonaleLeveLErreur)
{
    const TmatriceAugmentee M = matrice({{1, 2, 3}, {0, 0, 4}});
    TsolutionSysteme x;
    EXPECT_THROW(remonte(M, 2, x), EsystemeLineaireError);
}

} // namespace

#include "maths/Derivees.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Cas {
    const char* nom;
    std::vector<double> valeurs;
    int n;
    double mini;
    double maxi;
};

TEST(minMaxVecteur, PlusPetitEtPlusGrandDesNPremieresValeurs)
{
    const Cas cas[] = {
        {"2, 5, 3", {2, 5, 3}, 3, 2, 5},
        {"-1, -4", {-1, -4}, 2, -4, -1},
        {"aucune valeur", {8, 9}, 0, 0, 0},
        {"compte negatif", {8, 9}, -3, 0, 0},
        {"une valeur", {-7.5}, 1, -7.5, -7.5},
        {"decroissant puis croissant", {3, 2, 1, 4}, 4, 1, 4},
        {"au-dela de n ignore", {1, 2, -50, 60}, 2, 1, 2},
    };
    for (const auto& c : cas) {
        Tvecteur v{};
        v.fill(1000);
        for (std::size_t i = 0; i < c.valeurs.size(); ++i)
            v[i] = c.valeurs[i];
        double mini = -123;
        double maxi = 123;
        minMaxVecteur(v, c.n, mini, maxi);
        EXPECT_EQ(mini, c.mini) << c.nom;
        EXPECT_EQ(maxi, c.maxi) << c.nom;
    }
}

TEST(minMaxVecteur, UnCompteTropGrandSArreteAuBoutDuVecteur)
{
    Tvecteur v{};
    v.fill(1);
    v[0] = -2;
    v[indiceMaxVecteur] = 7;
    double mini = 0;
    double maxi = 0;
    minMaxVecteur(v, tailleVecteur + 500, mini, maxi);
    EXPECT_EQ(mini, -2);
    EXPECT_EQ(maxi, 7);
}

} // namespace

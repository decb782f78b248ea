#include "link/Commandes.h"

#include <gtest/gtest.h>

namespace {

TEST(Commandes, TextesDesCommandes)
{
    // 500 to 800 nm at "moyenne" (index 2).
    EXPECT_EQ(commandeBlanc(500, 800), QByteArray("c8000,5000"));
    EXPECT_EQ(commandeReglage(500, 800, 2), QByteArray("a8000,5000,3"));
    EXPECT_EQ(commandeDepart(parametreBalayage(800 - 500, 2)), QByteArray("f600"));
    EXPECT_EQ(commandeLambda(800), QByteArray("w8000"));
    EXPECT_EQ(commandeReglage(190, 1100, 0), QByteArray("a11000,1900,1"));
    EXPECT_EQ(commandeReglage(190, 1100, 4), QByteArray("a11000,1900,5"));
    EXPECT_EQ(commandeZero(), QByteArray("x"));
    EXPECT_EQ(commandeAbs(), QByteArray("d"));
}

TEST(Commandes, ParametreDeBalayage)
{
    // Rows: speed index 0 to 4; columns: w = 99, 100, 199, 200, 499, 500, 910.
    const int ws[] = {99, 100, 199, 200, 499, 500, 910};
    const int attendus[5][7] = {
        {495, 500, 995, 400, 998, 500, 910},
        {990, 500, 995, 400, 998, 500, 910},
        {198, 200, 398, 400, 998, 500, 910},
        {495, 500, 995, 400, 998, 500, 910},
        {990, 500, 995, 400, 998, 500, 910},
    };
    for (int vitesse = 0; vitesse < 5; ++vitesse)
        for (int j = 0; j < 7; ++j)
            EXPECT_EQ(parametreBalayage(ws[j], vitesse), attendus[vitesse][j])
                << "vitesse " << vitesse << ", w " << ws[j];
    for (int autre : {-1, 5, 12}) EXPECT_EQ(parametreBalayage(150, autre), 150) << autre;
}

} // namespace

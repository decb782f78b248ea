#include "GrapheEssai.h"

#include "graph/Couleurs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A 540 x 499 spectrum; a kept curve whose points are put in the corners
// the case names.
struct CasCoin {
    const char* nom;
    std::vector<std::pair<double, double>> points; // (λ, A), the last ones last
    int attendu;                                    // 0 top right, 1 top left, 2 bottom right, 3 bottom left
};

class CoinLegende : public ::testing::TestWithParam<CasCoin> {};

TEST_P(CoinLegende, leCoinLeMoinsCharge)
{
    const CasCoin& c = GetParam();
    Tgraphe g;
    configureSpectre(g);
    Tdonnees d;
    for (const auto& [x, a] : c.points) {
        d.X[static_cast<std::size_t>(d.nombre)] = x;
        d.A[static_cast<std::size_t>(d.nombre)] = a;
        ++d.nombre;
    }
    g.listeDonnees.push_back(d);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const TRectangle r = g.coinLegende(100, 40);
    const TRectangle& z = g.LimiteCourbe;
    const bool droite = r.Right > (z.Left + z.Right) / 2;
    const bool haut = r.Top < (z.Top + z.Bottom) / 2;
    const int coin = (haut ? 0 : 2) + (droite ? 0 : 1);
    EXPECT_EQ(coin, c.attendu);
}

std::vector<std::pair<double, double>> ligne(double x0, double a0, double x1, double a1, int n)
{
    std::vector<std::pair<double, double>> p;
    for (int k = 0; k < n; ++k) p.emplace_back(x0 + (x1 - x0) * k / (n - 1), a0 + (a1 - a0) * k / (n - 1));
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Coins, CoinLegende,
    ::testing::Values(CasCoin{"rienDansLesCoins", ligne(400, 1.5, 800, 1.5, 50), 0},
                      // A rising curve ends top right, where the user looks.
                      CasCoin{"finEnHautADroite", ligne(250, 0.1, 1090, 2.95, 200), 1},
                      // Many old points top left, the last ones top right.
                      CasCoin{"finPlutotQueNombre",
                              [] {
                                  auto p = ligne(200, 2.95, 300, 2.95, 100);
                                  auto fin = ligne(1050, 2.95, 1090, 2.95, 5);
                                  p.insert(p.end(), fin.begin(), fin.end());
                                  return p;
                              }(),
                              2}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Legende, nommeChaqueCouleurEtSeMasque)
{
    Tgraphe g;
    configureSpectre(g);
    for (int i = 0; i < 3; ++i) {
        Tdonnees d;
        d.X[0] = 400;
        d.X[1] = 600;
        d.A[0] = d.A[1] = 0.5 + i;
        d.nombre = 2;
        g.listeDonnees.push_back(d);
    }
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const QStringList t = textes(s);
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(t.contains(QStringLiteral("Courbe %1").arg(i))) << i;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lignesDeCouleur(s, couleurConservee(i)).size(), 1u) << "the legend adds no line of the curve's colour";

    g.legende = false;
    TSurfaceEnregistreuse sans({0, 0, 540, 499});
    dessineEcran(g, sans);
    EXPECT_FALSE(textes(sans).contains(QStringLiteral("Courbe 1")));

    Tgraphe seule;
    configureSpectre(seule);
    TSurfaceEnregistreuse vide({0, 0, 540, 499});
    dessineEcran(seule, vide);
    EXPECT_FALSE(textes(vide).contains(QStringLiteral("Courbe 1"))) << "no kept curve, no legend";
}

} // namespace

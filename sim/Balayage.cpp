#include "sim/Balayage.h"

#include <algorithm>
#include <array>
#include <cmath>

std::vector<double> longueursOndeBalayage(const TReglageBalayage& reglage, int parametre,
                                          int pointsForces)
{
    const double fin = std::max(reglage.finDixiemes, reglage.debutDixiemes) / 10.0;
    const double debut = std::min(reglage.finDixiemes, reglage.debutDixiemes) / 10.0;
    const double largeur = fin - debut;

    std::size_t n = 0;
    double pas = 0.0;
    if (pointsForces > 0) {
        n = static_cast<std::size_t>(pointsForces);
        pas = n > 1 ? largeur / static_cast<double>(n - 1) : 0.0;
    } else {
        pas = parametre >= 2.0 * largeur ? 0.5 : 1.0;
        n = static_cast<std::size_t>(std::floor(largeur / pas + 1e-9)) + 1;
        if (n > static_cast<std::size_t>(pointsMaxBalayage)) {
            n = static_cast<std::size_t>(pointsMaxBalayage);
            pas = largeur / static_cast<double>(n - 1);
        }
    }
    std::vector<double> lambdas(n);
    for (std::size_t k = 0; k < n; ++k) lambdas[k] = fin - pas * static_cast<double>(k);
    return lambdas;
}

double secondesParNanometre(int vitesse)
{
    // 3000, 1500, 600, 300 and 120 nm per minute.
    static constexpr std::array<double, 5> duree = {0.02, 0.04, 0.1, 0.2, 0.5};
    return duree[static_cast<std::size_t>(std::clamp(vitesse, 1, 5) - 1)];
}

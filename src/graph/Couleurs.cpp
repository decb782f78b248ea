#include "graph/Couleurs.h"

#include <cmath>
#include <cstdlib>

namespace {

struct Composantes {
    double r = 0;
    double g = 0;
    double b = 0;
};

// Whole nanometres, rounded half to even; 0 for what cannot be a wavelength.
int nanometres(double x)
{
    double d = 0;
    if (x > 1) d = x;
    else if (x < 0.000001) d = x * 1e9;
    else if (x < 1) d = x * 1e6;
    d = std::nearbyint(d);
    // Out of the integer range means far outside the visible band anyway.
    if (!std::isfinite(d) || std::fabs(d) > 1e6) return 0;
    return static_cast<int>(d);
}

Composantes teinte(int d)
{
    if (d >= 380 && d <= 439) return {(440 - d) / 60.0, 0, 1};
    if (d >= 440 && d <= 489) return {0, (d - 440) / 50.0, 1};
    if (d >= 490 && d <= 509) return {0, 1, (510 - d) / 20.0};
    if (d >= 510 && d <= 579) return {(d - 510) / 70.0, 1, 0};
    if (d >= 580 && d <= 644) return {1, (645 - d) / 65.0, 0};
    if (d >= 645 && d <= 780) return {1, 0, 0};
    return {};
}

// The eye's sensitivity falls off at both ends of the band.
double intensite(int d)
{
    if (d >= 380 && d <= 419) return 0.3 + 0.7 * (d - 380) / 40.0;
    if (d >= 420 && d <= 700) return 1;
    if (d >= 701 && d <= 780) return 0.3 + 0.7 * (780 - d) / 80.0;
    return 0;
}

}  // namespace

QColor couleurConservee(int i)
{
    static const std::array<QColor, 4> palette{QColor(0, 0, 255), QColor(0, 255, 255),
                                               QColor(166, 202, 240), QColor(0, 0, 128)};
    return palette[static_cast<std::size_t>(std::abs(i % 4))];
}

int composanteCouleur(double c, double f)
{
    if (c == 0) return 0;
    return static_cast<int>(std::nearbyint(255 * std::pow(c * f, 0.8)));
}

QColor longueurOndeVersCouleur(double x)
{
    const int d = nanometres(x);
    const Composantes c = teinte(d);
    const double f = intensite(d);
    return {composanteCouleur(c.r, f), composanteCouleur(c.g, f), composanteCouleur(c.b, f)};
}

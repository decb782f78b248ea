#include "graph/CoupeSegment.h"

#include <cmath>

// Liang and Barsky: the part of the segment's parameter range [0, 1] that
// each of the four sides lets through.
bool coupeSegment(double& x1, double& y1, double& x2, double& y2, const TRectangle& r)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return false;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double debut = 0;
    double fin = 1;
    const auto borne = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > fin) return false;
            if (t > debut) debut = t;
        } else {
            if (t < debut) return false;
            if (t < fin) fin = t;
        }
        return true;
    };
    if (!borne(-dx, x1 - r.Left) || !borne(dx, r.Right - x1) || !borne(-dy, y1 - r.Top)
        || !borne(dy, r.Bottom - y1))
        return false;
    const double ax = x1 + debut * dx;
    const double ay = y1 + debut * dy;
    x2 = x1 + fin * dx;
    y2 = y1 + fin * dy;
    x1 = ax;
    y1 = ay;
    return true;
}

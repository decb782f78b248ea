#pragma once

#include <vector>

// One maximum of a curve. x is refined between the points (the vertex of a
// parabola fitted to the top), so it is not bound to the scan's step; y is
// the parabola's value there. indice is the highest point of the top.
struct TPic {
    double x = 0;
    double y = 0;
    int indice = 0;
    double prominence = 0;
};

// The noise of y[0] .. y[n-1], as a standard deviation: from the median of
// the absolute second differences, which a smooth curve hardly feeds and
// single noisy points cannot pull. 0 with fewer than 3 points.
double bruitCourbe(const double* y, int n);

// The height a maximum must stand above its surroundings to count as a peak:
// ten times the noise, and at least 2 % of the curve's range, so that a quiet
// curve's ripples do not count either. On pure white noise the highest point
// stands some 5 to 7 deviations above the lowest dips around it: ten keeps it
// out.
double seuilPics(const double* y, int n);

// The peaks of the curve (x[i], y[i]), i in 0 .. n-1, in the order of the
// points: its local maxima whose prominence (the height above the higher of
// the two lowest points that separate them from a higher part of the curve,
// or from the curve's ends) reaches seuilPics. The abscissae may increase or
// decrease, unevenly spaced; non-finite points are never peaks and break
// nothing. Ends are not peaks: a rising edge cut off by the range is not a
// maximum of the spectrum.
std::vector<TPic> cherchePics(const double* x, const double* y, int n);

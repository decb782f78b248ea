#pragma once

#include "common/Vecteur.h"

// Smallest and largest of v[0] .. v[n-1]; both 0 when n <= 0. A count above
// the vector's 2001 slots stops at its end.
void minMaxVecteur(const Tvecteur& v, int n, double& mini, double& maxi);

// First, second and third derivatives of y with respect to x over points
// 0 .. n-1, by a least-squares cubic slid over 9 consecutive points. The
// abscissae may be unequally spaced, increasing or decreasing.
// All 2001 slots of d1, d2, d3 are written (0 beyond n, and everywhere when n < 9).
// A window whose fit cannot be solved gives 0 at the points it serves and
// nothing else; a count above 2001 stops at the end of the vectors.
void calculDerivees(const Tvecteur& x, const Tvecteur& y, int n,
                    Tvecteur& d1, Tvecteur& d2, Tvecteur& d3);

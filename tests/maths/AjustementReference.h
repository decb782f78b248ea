#pragma once

#include "common/Vecteur.h"

// An independent least-squares cubic for checking the sliding fit: each
// window is fitted from scratch, on abscissae centred on the window and
// scaled to [-1, 1], by a QR factorisation (modified Gram-Schmidt) in long
// double. Nothing is shared with the code under test.

struct TderiveesPoint {
    long double d1 = 0;
    long double d2 = 0;
    long double d3 = 0;
};

// Derivatives at abscissa X of the cubic fitted to points debut .. debut+8.
TderiveesPoint deriveesReference(const Tvecteur& x, const Tvecteur& y, int debut, double X);

// First point of the window whose cubic serves point k of an n-point curve:
// the centred window inside, the first and last windows for the four end points.
int debutFenetreServant(int k, int n);

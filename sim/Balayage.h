#pragma once

#include "sim/TReglageBalayage.h"

#include <vector>

// How the simulated instrument lays out a scan.

// The instrument never sends more points than this in one scan, unless a
// fault is asked for.
constexpr int pointsMaxBalayage = 2001;

// The wavelengths of a scan, in nm, from the long ones down to the short
// ones. With w the width of the range in nm, a parameter of at least 2·w asks
// for a point every 0.5 nm, anything less for one every nm; the step widens if
// that would exceed pointsMaxBalayage. pointsForces > 0 gives exactly that
// many points spread evenly over the range.
std::vector<double> longueursOndeBalayage(const TReglageBalayage& reglage, int parametre,
                                          int pointsForces = 0);

// Seconds the monochromator takes to sweep one nanometre at a speed code
// (codes outside 1..5 are brought back into it).
double secondesParNanometre(int vitesse);

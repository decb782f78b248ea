#pragma once

#include <QColor>

#include <array>

// Colours of the graph.
inline const QColor couleurAxe{0, 0, 0};
inline const QColor couleurCourbe{0, 0, 128};
inline const QColor couleurFond{255, 255, 255};
// [0] markers, [1..3] derivatives of order 1..3.
inline const std::array<QColor, 4> couleurs{QColor(255, 0, 0), QColor(0, 128, 0),
                                            QColor(0, 128, 128), QColor(192, 220, 192)};

// Colour of kept curve i: blue, aqua, sky blue, navy, then again.
QColor couleurConservee(int i);

// One colour component, 0..255, from its table value c (0..1) and the
// intensity f.
int composanteCouleur(double c, double f);

// The colour the eye sees at wavelength x in nanometres (black outside 380 to
// 780 nm). Values below 1 are read as millimetres, below 1E-6 as metres.
QColor longueurOndeVersCouleur(double x);

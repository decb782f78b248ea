#pragma once

#include <QLocale>
#include <QString>

class Tgraphe;

// A point of a displayed curve, as the graph's readout shows it.
struct TPointLu {
    static constexpr int aucune = -2;
    static constexpr int courante = -1;
    int courbe = aucune;  // courante, or the index of a kept curve
    int ordre = 0;        // 0: the ordinate shown (A or T); 1 to 3: that derivative
    int indice = 0;
    double x = 0;
    double y = 0;
    int xi = 0;           // its pixel on the graph's surface
    int yi = 0;

    bool trouve() const { return courbe != aucune; }
};

// The point of the displayed curves nearest to the pixel (xS, yS), in pixels:
// the current curve and its derivatives drawn, then the kept curves, which
// win only when strictly nearer. Points that do not map to a pixel are
// skipped. None when nothing is drawn.
TPointLu pointProche(const Tgraphe& graphe, int xS, int yS);

// The point indice of the current curve (its ordinate shown, order 0), none
// out of range.
TPointLu pointCourant(const Tgraphe& graphe, int indice);

// What the readout says of a point: "λ = 512 nm   A = 1,234" on a spectrum
// (T in %, a derivative with its order: "d²A/dλ² = …"), "t = 00:01:20 (80 s)
// A = 0,812" on a kinetics run, numbers in the locale's way, no grouping.
QString texteLecture(const Tgraphe& graphe, const TPointLu& point, const QLocale& locale = QLocale());

#pragma once

#include "common/Vecteur.h"

#include <QString>

// One plotted variable: its limits, the values of the current curve, its
// world-to-pixel transform (pixel = a * value + b) and its graduation step.
class Tmonde {
public:
    double mini = 0;
    double maxi = 255;
    Tvecteur valeur{};
    double a = 1;
    double b = 0;
    bool zeroInclus = true;
    bool avecAxe = false;
    bool grandAxe = false;
    QString nom;
    QString nomTrans;
    QString unite;
    QString signif;
    double deltaAxe = 0;
    double pointDebut = 0;

    // Graduation step and first graduation from the limits and grandAxe.
    void setDelta();
    // Pixel of a world value, rounded half to even. False (and i untouched)
    // when the result is not finite or does not fit a 32-bit integer.
    bool affecteEntier(double r, int& i) const;
    // Label of a graduation value: 3 significant digits, the locale's decimal
    // separator ("0,5", "1,5E3", "2E-5" under French settings).
    QString FormatAxe(double x) const;
};

#pragma once

#include "graph/StylesDessin.h"

#include <QColor>
#include <QString>

// One drawing primitive as a recording surface saw it, with the pen, brush and
// font in force at that moment.
struct TPrimitiveDessin {
    enum class Genre { ligne, rempliRectangle, rectangle, texte };

    Genre genre = Genre::ligne;
    // Line: from (x1, y1) to (x2, y2). Rectangles: corners. Text: (x1, y1).
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    QColor couleurPlume;
    TStylePlume stylePlume = TStylePlume::plein;
    int epaisseurPlume = 1;
    TStyleBrosse styleBrosse = TStyleBrosse::plein;
    QColor couleurBrosse;
    QString texte;
    QString nomFonte;
    int hauteurFonte = 0;
    QColor couleurFonte;
    bool gras = false;
};

#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class Tgraphe;

// The graph as a picture for a report: drawn as the screen draws it (no
// printer margins), at a report's size, through the same drawing surface as
// the screen. The screen's surface and layout are put back afterwards, so a
// scan or a run in progress goes on drawing its new points in the window.

inline constexpr QSize tailleImageGraphe{1600, 1000};

QImage imageGraphe(Tgraphe& graphe, QSize taille = tailleImageGraphe);

// Writes the picture whole or not at all, in the format the extension names:
// ".svg" (vector, text kept as text), ".pdf" (vector, one page of the
// picture's proportions), anything else PNG. Returns an empty text on
// success, otherwise the reason in French.
QString enregistreImageGraphe(Tgraphe& graphe, const QString& chemin, QSize taille = tailleImageGraphe);

#pragma once

#include "common/Vecteur.h"
#include "graph/Tgraphe.h"

#include <QString>

#include <algorithm>

// What the writers of the exchange texts share.

// Starts a declaration line of a header or a page.
inline const QString marqueEntete = QStringLiteral("£");
// Starts a line that announces a block of values or a graph option.
inline const QString marqueValeurs = QStringLiteral("&");

// The points of the current curve, never more than the vectors hold.
inline int pointsCourbe(const Tgraphe& graphe)
{
    return std::min<int>(graphe.nbrePoints, tailleVecteur);
}

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

// A text on one line: every line break a reader might see (CR LF, CR, LF,
// VT, FF, NEL, the Unicode line and paragraph separators) and NUL, which
// ends a clipboard text, become one blank each (CR LF one blank).
QString surUneLigne(const QString& texte);

// A user's text (the comment, a marker's text, a curve title) as every
// writer of the exchange texts and files writes it: on one line
// (surUneLigne), and, when it would start with a declaration or option mark
// ("£" or "&"), after one blank, so that the analysis program never takes
// it for a declaration or an option, wherever it lands. Any other text is
// left as it is, its leading blanks included.
QString texteUtilisateur(const QString& texte);

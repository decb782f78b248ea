#pragma once

#include "graph/TSurfaceEnregistreuse.h"
#include "graph/Tgraphe.h"

#include <QPoint>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <vector>

// The two configurations the windows give their graphs.
inline void configureSpectre(Tgraphe& g)
{
    g.SetMonde(190, 0, 1100, 3);
    g.mondeX->nom = QStringLiteral("λ");
    g.mondeX->unite = QStringLiteral("nm");
    g.mondeAbs->nom = QStringLiteral("A");
    g.MondeTrans->nom = QStringLiteral("T");
    g.MondeTrans->unite = QStringLiteral("%");
    g.mondeY = g.mondeAbs.get();
}

inline void configureCinetique(Tgraphe& g, double duree)
{
    g.mondeX->nom = QStringLiteral("t");
    g.mondeX->unite = QStringLiteral("s");
    g.mondeX->mini = 0;
    g.mondeX->maxi = duree;
    g.mondeAbs->nom = QStringLiteral("A");
    g.mondeAbs->mini = 0;
    g.mondeAbs->maxi = 3;
    g.mondeY = g.mondeAbs.get();
}

// An on-screen drawing of w x h pixels, as the windows do it.
inline void dessineEcran(Tgraphe& g, TSurfaceEnregistreuse& surface)
{
    g.largeurEcran = surface.rectangleClip().Right + 2;
    g.Draw(surface);
}

using Primitives = std::vector<TPrimitiveDessin>;

inline Primitives filtre(const TSurfaceEnregistreuse& s,
                         const std::function<bool(const TPrimitiveDessin&)>& garde)
{
    Primitives resultat;
    std::copy_if(s.primitives().begin(), s.primitives().end(), std::back_inserter(resultat), garde);
    return resultat;
}

inline Primitives lignesDeCouleur(const TSurfaceEnregistreuse& s, const QColor& couleur)
{
    return filtre(s, [&](const TPrimitiveDessin& p) {
        return p.genre == TPrimitiveDessin::Genre::ligne && p.couleurPlume == couleur;
    });
}

inline QStringList textes(const TSurfaceEnregistreuse& s)
{
    QStringList resultat;
    for (const TPrimitiveDessin& p : s.primitives())
        if (p.genre == TPrimitiveDessin::Genre::texte) resultat << p.texte;
    return resultat;
}

// Vertical lines at abscissa x (grid lines, ticks, markers).
inline Primitives verticalesEn(const TSurfaceEnregistreuse& s, int x)
{
    return filtre(s, [&](const TPrimitiveDessin& p) {
        return p.genre == TPrimitiveDessin::Genre::ligne && p.x1 == x && p.x2 == x;
    });
}

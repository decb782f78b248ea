#pragma once

#include "maths/Pics.h"

#include <QLocale>
#include <QString>

#include <vector>

class QPainter;
class Tgraphe;

// The peaks of a graph's current curve (its absorbance), marked over the
// view and copied as a table. They are searched again only when the curve
// has changed, not at each repaint.
class TPicsGraphe {
public:
    explicit TPicsGraphe(const Tgraphe& graphe) : graphe_(graphe) {}

    bool actifs = false;

    const std::vector<TPic>& pics();
    // Each peak: a small triangle over it and its λ, when actifs.
    void dessine(QPainter& peintre);
    // "λ (nm) TAB A" then one line per peak, CR LF, in the locale's way.
    QString texte(const QLocale& locale = QLocale());
    // True once after the marked peaks have changed since the last call.
    bool changes();

private:
    const Tgraphe& graphe_;
    std::vector<TPic> pics_;
    std::vector<double> cle_;
    std::vector<long> marques_; // the peaks' points and λ when last asked
};

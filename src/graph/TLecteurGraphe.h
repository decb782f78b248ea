#pragma once

#include "graph/LecturePoint.h"

#include <QObject>
#include <QRect>
#include <QString>

class QKeyEvent;
class QPainter;
class TVueGraphe;
class Tgraphe;

// Reads values off a graph view: the point of the displayed curves under the
// pointer, or the one the keyboard walks to along the current curve, shown in
// a readout at the graph's top-right corner with a marker on the point.
//
// The readout and the marker are drawn over the view's image, never into it:
// a move repaints their two small areas, not the graph. The view's accessible
// description is the readout's text, so a screen reader reads the values as
// the keys move along the curve.
class TLecteurGraphe : public QObject {
    Q_OBJECT

public:
    TLecteurGraphe(Tgraphe& graphe, TVueGraphe& vue);

    const TPointLu& point() const { return point_; }
    QString texte() const { return texte_; }
    bool visible() const { return point_.trouve(); }

    // The readout on the point nearest to the pixel, none when nothing is
    // drawn.
    void survole(int x, int y);
    // Along the current curve: Left/Right by one point, Home/End to its
    // ends, Page Up/Down by a tenth. False for any other key.
    bool deplace(int touche);
    void cache();

    void dessine(QPainter& peintre) const;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void montre(const TPointLu& point);
    QRect zone() const;
    QRect cadreTexte() const;
    QPoint marque() const;

    Tgraphe& graphe_;
    TVueGraphe& vue_;
    TPointLu point_;
    QString texte_;
};

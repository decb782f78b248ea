#pragma once

#include "graph/LecturePoint.h"
#include "graph/TPicsGraphe.h"
#include "graph/Tgraphe.h"

#include <QEvent>

#include <QObject>
#include <QRect>
#include <QRegion>
#include <QString>

class QKeyEvent;
class QMenu;
class QMouseEvent;
class QPainter;
class QRubberBand;
class QWheelEvent;
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

    // Zoom: into a rectangle of the view's pixels (a rubber band), by wheel
    // notches around a pixel (the abscissa, or the ordinate), back to the
    // window's own frame, or around the displayed curves. Only the view
    // changes: data, exports and settings never do.
    void zoomeSur(const QRect& pixels);
    void zoomeRoulette(const QPoint& centre, double crans, bool ordonnee);
    void vueEnsemble();
    void ajusteAuxCourbes();
    // "Vue d'ensemble" and "Ajuster aux courbes", for the graph's pop-up menu.
    void ajouteAuMenu(QMenu& menu);
    // "Pics" (checkable: marks the current curve's peaks) and "Copier les
    // pics" (their table on the clipboard), for a spectrum's menu.
    void ajouteMenuPics(QMenu& menu);
    TPicsGraphe& picsGraphe() { return pics_; }
    // "Légende" (checkable, on at first): names the kept curves' colours.
    void ajouteMenuLegende(QMenu& menu);

    void dessine(QPainter& peintre);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void montre(const TPointLu& point);
    QRegion zone() const;
    QRect cadreTexte() const;
    QPoint marque() const;
    bool souris(QEvent::Type type, const QMouseEvent& evenement);
    void appliqueZoom(const TZoom& vue);

    Tgraphe& graphe_;
    TVueGraphe& vue_;
    TPointLu point_;
    QString texte_;
    TPicsGraphe pics_;
    QRubberBand* bande_ = nullptr;
    QPoint origine_;
};

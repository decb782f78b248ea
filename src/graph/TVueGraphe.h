#pragma once

#include "graph/TSurfaceImage.h"

#include <QWidget>

#include <functional>

class QPainter;
class Tgraphe;

// The on-screen view of a graph. It draws into an image of its own size and
// shows that image, so the graph's incremental operations (a new point, a new
// marker) can draw between two paints. The graph's canvas is this view's
// surface for as long as the view lives.
class TVueGraphe : public QWidget {
    Q_OBJECT
public:
    explicit TVueGraphe(Tgraphe& graphe, QWidget* parent = nullptr);
    ~TVueGraphe() override;

    // Full drawing at the next paint (new limits, curves kept or deleted...).
    void redessine();
    TSurfaceImage& surface() { return surface_; }

    // Drawn over the graph's image at each paint, never into it: what follows
    // the pointer (the readout) costs a small repaint, not a new drawing.
    std::function<void(QPainter&)> surcouche;

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void dessineGraphe();

    Tgraphe& graphe_;
    TSurfaceImage surface_;
    bool aRedessiner_ = true;
};

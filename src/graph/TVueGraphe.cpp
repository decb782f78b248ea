#include "graph/TVueGraphe.h"

#include "graph/Tgraphe.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

TVueGraphe::TVueGraphe(Tgraphe& graphe, QWidget* parent)
    : QWidget(parent), graphe_(graphe), surface_(size())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.surModification = [this](const QRect& zone) { update(zone); };
    graphe_.canvas = &surface_;
}

TVueGraphe::~TVueGraphe()
{
    if (graphe_.canvas == &surface_) graphe_.canvas = nullptr;
}

void TVueGraphe::redessine()
{
    aRedessiner_ = true;
    update();
}

// Qt may deliver the same size again (a hidden view being grabbed): only a
// real change discards what has been drawn since the last paint.
void TVueGraphe::resizeEvent(QResizeEvent* evenement)
{
    const TRectangle actuelle = surface_.rectangleClip();
    if (evenement->size() != QSize(actuelle.largeur(), actuelle.hauteur())) {
        surface_.redimensionne(evenement->size());
        aRedessiner_ = true;
    }
    QWidget::resizeEvent(evenement);
}

void TVueGraphe::paintEvent(QPaintEvent* evenement)
{
    if (aRedessiner_) dessineGraphe();
    QPainter peintre(this);
    // Rectangle by rectangle: a readout and a marker far apart are two small
    // copies, not one across the graph.
    for (const QRect& zone : evenement->region()) peintre.drawImage(zone, surface_.image(), zone);
    if (surcouche) surcouche(peintre);
}

// The whole surface is about to be shown: no need to hear of each primitive.
void TVueGraphe::dessineGraphe()
{
    graphe_.largeurEcran = width() + 2;
    const auto ecoute = std::move(surface_.surModification);
    surface_.surModification = nullptr;
    graphe_.Draw(surface_);
    surface_.surModification = ecoute;
    aRedessiner_ = false;
}

#include "graph/TSurfaceQPainter.h"

#include "graph/Polices.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace {

Qt::PenStyle styleQt(TStylePlume style)
{
    switch (style) {
    case TStylePlume::plein: return Qt::SolidLine;
    case TStylePlume::tirets: return Qt::DashLine;
    case TStylePlume::pointilles: return Qt::DotLine;
    case TStylePlume::aucun: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

QRect zone(const QPoint& a, const QPoint& b, int epaisseur)
{
    const int marge = epaisseur / 2 + 1;
    return QRect(a, b).normalized().adjusted(-marge, -marge, marge, marge);
}

}  // namespace

TSurfaceQPainter::TSurfaceQPainter(QPainter& peintre, const TRectangle& clip)
{
    lie(&peintre, clip);
}

TSurfaceQPainter::TSurfaceQPainter() = default;

// Derived surfaces flush first; here only what a borrowed painter still holds.
TSurfaceQPainter::~TSurfaceQPainter()
{
    if (peintre_ && peintre_->isActive() && chemin_.size() >= 2) peintre_->drawPolyline(chemin_);
}

void TSurfaceQPainter::vide()
{
    if (chemin_.size() >= 2 && peintre_) peintre_->drawPolyline(chemin_);
    chemin_.clear();
}

void TSurfaceQPainter::lie(QPainter* peintre, const TRectangle& clip)
{
    vide();
    peintre_ = peintre;
    clip_ = clip;
    if (!peintre_) return;
    peintre_->setPen(plume_);
    peintre_->setBrush(brosse_);
    appliqueFonte();
}

void TSurfaceQPainter::setCouleurPlume(const QColor& couleur)
{
    plume_.setColor(couleur);
    appliquePlume();
}

void TSurfaceQPainter::setStylePlume(TStylePlume style)
{
    plume_.setStyle(styleQt(style));
    appliquePlume();
}

void TSurfaceQPainter::setEpaisseurPlume(int epaisseur)
{
    plume_.setWidth(std::max(1, epaisseur));
    appliquePlume();
}

void TSurfaceQPainter::appliquePlume()
{
    vide();
    peintre_->setPen(plume_);
}

void TSurfaceQPainter::setStyleBrosse(TStyleBrosse style)
{
    vide();
    brosse_.setStyle(style == TStyleBrosse::plein ? Qt::SolidPattern : Qt::NoBrush);
    peintre_->setBrush(brosse_);
}

void TSurfaceQPainter::setCouleurBrosse(const QColor& couleur)
{
    vide();
    brosse_.setColor(couleur);
    peintre_->setBrush(brosse_);
}

void TSurfaceQPainter::setNomFonte(const QString& nom)
{
    fonte_.setFamily(famillePolice(nom));
    appliqueFonte();
}

void TSurfaceQPainter::setHauteurFonte(int pixels)
{
    hauteurFonte_ = std::max(1, pixels);
    appliqueFonte();
}

void TSurfaceQPainter::setCouleurFonte(const QColor& couleur)
{
    couleurFonte_ = couleur;
}

void TSurfaceQPainter::setGrasFonte(bool gras)
{
    fonte_.setBold(gras);
    appliqueFonte();
}

// Qt sizes a font by its em; the cell (ascent + descent) is taller. The em is
// scaled so that the cell gets the height asked for, on this very device.
void TSurfaceQPainter::appliqueFonte()
{
    fonte_.setPixelSize(hauteurFonte_);
    if (!peintre_) return;
    vide();
    const int cellule = QFontMetrics(fonte_, peintre_->device()).height();
    if (cellule > 0 && cellule != hauteurFonte_) {
        const double em = static_cast<double>(hauteurFonte_) * hauteurFonte_ / cellule;
        fonte_.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
    }
    peintre_->setFont(fonte_);
}

void TSurfaceQPainter::deplaceVers(int x, int y)
{
    vide();
    position_ = QPoint(x, y);
}

void TSurfaceQPainter::ligneVers(int x, int y)
{
    const QPoint arrivee(x, y);
    if (chemin_.isEmpty()) chemin_ << position_;
    chemin_ << arrivee;
    apresDessin(zone(position_, arrivee, plume_.width()));
    position_ = arrivee;
}

void TSurfaceQPainter::rempliRectangle(const TRectangle& r)
{
    vide();
    const QRect rect(r.Left, r.Top, r.largeur(), r.hauteur());
    peintre_->fillRect(rect, brosse_);
    apresDessin(rect);
}

// Like the rectangle of the classic canvases: Right and Bottom excluded, the
// outline inside the area.
void TSurfaceQPainter::rectangle(int x1, int y1, int x2, int y2)
{
    vide();
    const QRect rect = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).normalized();
    if (plume_.style() == Qt::NoPen) {
        peintre_->fillRect(rect, brosse_);
    } else {
        peintre_->drawRect(rect.adjusted(0, 0, -1, -1));
    }
    apresDessin(rect);
}

void TSurfaceQPainter::texte(int x, int y, const QString& t)
{
    vide();
    const QFontMetrics metriques(fonte_, peintre_->device());
    peintre_->setPen(couleurFonte_);
    peintre_->drawText(x, y + metriques.ascent(), t);
    peintre_->setPen(plume_);
    apresDessin(QRect(x, y, metriques.horizontalAdvance(t) + 1, metriques.height() + 1));
}

int TSurfaceQPainter::largeurTexte(const QString& t)
{
    return QFontMetrics(fonte_, peintre_->device()).horizontalAdvance(t);
}

TRectangle TSurfaceQPainter::rectangleClip() const
{
    return clip_;
}

void TSurfaceQPainter::apresDessin(const QRect&) {}

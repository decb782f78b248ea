#include "MoteurEspion.h"

#include <QPainterPath>
#include <QPolygonF>

MoteurEspion::MoteurEspion() : QPaintEngine(QPaintEngine::AllFeatures) {}

bool MoteurEspion::begin(QPaintDevice*)
{
    commence = true;
    return true;
}

bool MoteurEspion::end()
{
    termine = true;
    return true;
}

void MoteurEspion::updateState(const QPaintEngineState& etat)
{
    if (etat.state() & QPaintEngine::DirtyPen) plume_ = etat.pen();
    if (etat.state() & QPaintEngine::DirtyBrush) brosse_ = etat.brush();
}

void MoteurEspion::drawLines(const QLineF* lignes, int nombre)
{
    if (plume_.style() == Qt::NoPen) return;
    for (int i = 0; i < nombre; ++i)
        traces.push_back({Trace::Genre::ligne, QRectF(lignes[i].p1(), lignes[i].p2()), plume_.color(),
                          plume_.widthF(), {}});
}

void MoteurEspion::drawLines(const QLine* lignes, int nombre)
{
    for (int i = 0; i < nombre; ++i) {
        const QLineF l(lignes[i]);
        drawLines(&l, 1);
    }
}

void MoteurEspion::drawRects(const QRectF* rectangles, int nombre)
{
    if (brosse_.style() == Qt::NoBrush) return;
    for (int i = 0; i < nombre; ++i)
        traces.push_back({Trace::Genre::rectangle, rectangles[i], brosse_.color(), 0, {}});
}

void MoteurEspion::drawRects(const QRect* rectangles, int nombre)
{
    for (int i = 0; i < nombre; ++i) {
        const QRectF r(rectangles[i]);
        drawRects(&r, 1);
    }
}

// Polylines come here too: kept as their segments.
void MoteurEspion::drawPolygon(const QPointF* points, int nombre, PolygonDrawMode mode)
{
    if (mode != PolylineMode) {
        const QRectF r = QPolygonF(QList<QPointF>(points, points + nombre)).boundingRect();
        drawRects(&r, 1);
    }
    for (int i = 1; i < nombre; ++i) {
        const QLineF l(points[i - 1], points[i]);
        drawLines(&l, 1);
    }
}

void MoteurEspion::drawPolygon(const QPoint* points, int nombre, PolygonDrawMode mode)
{
    const QList<QPointF> reels(points, points + nombre);
    drawPolygon(reels.data(), nombre, mode);
}

void MoteurEspion::drawPath(const QPainterPath& chemin)
{
    const QRectF r = chemin.boundingRect();
    drawRects(&r, 1);
}

void MoteurEspion::drawTextItem(const QPointF& point, const QTextItem& texte)
{
    traces.push_back({Trace::Genre::texte, QRectF(point, QSizeF(texte.width(), 0)), plume_.color(), 0,
                      texte.text()});
}

void MoteurEspion::drawPixmap(const QRectF&, const QPixmap&, const QRectF&) {}

QPaintEngine::Type MoteurEspion::type() const
{
    return QPaintEngine::User;
}

#pragma once

#include <QColor>
#include <QPaintEngine>
#include <QRect>
#include <QString>

#include <vector>

// A paint engine that draws nothing and keeps what a printer would have
// received: lines with their pen, filled rectangles with their brush, texts
// with their position, all in device pixels.
class MoteurEspion : public QPaintEngine {
public:
    struct Trace {
        enum class Genre { ligne, rectangle, texte } genre;
        QRectF zone;   // a line's end points as its diagonal
        QColor couleur;  // pen for lines and texts, brush for rectangles
        qreal epaisseur;
        QString texte;
    };

    MoteurEspion();

    bool begin(QPaintDevice* appareil) override;
    bool end() override;
    void updateState(const QPaintEngineState& etat) override;
    void drawLines(const QLineF* lignes, int nombre) override;
    void drawLines(const QLine* lignes, int nombre) override;
    void drawRects(const QRectF* rectangles, int nombre) override;
    void drawRects(const QRect* rectangles, int nombre) override;
    void drawPolygon(const QPointF* points, int nombre, PolygonDrawMode mode) override;
    void drawPolygon(const QPoint* points, int nombre, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& chemin) override;
    void drawTextItem(const QPointF& point, const QTextItem& texte) override;
    void drawPixmap(const QRectF& cible, const QPixmap& image, const QRectF& source) override;
    Type type() const override;

    std::vector<Trace> traces;
    bool commence = false;
    bool termine = false;

private:
    QPen plume_;
    QBrush brosse_;
};

#pragma once

#include "graph/TSurfaceDessin.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <QPolygon>

class QPainter;
class QRect;

// The drawing surface over a QPainter: a widget's backing image, an offscreen
// image or a printer page. The painter is not owned.
class TSurfaceQPainter : public TSurfaceDessin {
public:
    TSurfaceQPainter(QPainter& peintre, const TRectangle& clip);
    ~TSurfaceQPainter() override;
    TSurfaceQPainter(const TSurfaceQPainter&) = delete;
    TSurfaceQPainter& operator=(const TSurfaceQPainter&) = delete;

    void setCouleurPlume(const QColor& couleur) override;
    void setStylePlume(TStylePlume style) override;
    void setEpaisseurPlume(int epaisseur) override;
    void setStyleBrosse(TStyleBrosse style) override;
    void setCouleurBrosse(const QColor& couleur) override;
    void setNomFonte(const QString& nom) override;
    void setHauteurFonte(int pixels) override;
    void setCouleurFonte(const QColor& couleur) override;
    void setGrasFonte(bool gras) override;
    void deplaceVers(int x, int y) override;
    void ligneVers(int x, int y) override;
    void rempliRectangle(const TRectangle& r) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void texte(int x, int y, const QString& t) override;
    int largeurTexte(const QString& t) override;
    TRectangle rectangleClip() const override;

    // The font as the painter gets it (family after substitution, pixel size).
    const QFont& fonte() const { return fonte_; }

    // Draws the lines still held back. Consecutive lines are drawn as one
    // polyline, several times faster than one by one; the path is drawn when
    // anything else is drawn or set, and at the latest here.
    void vide();

protected:
    // For surfaces that own their painter: binds another painter and area.
    TSurfaceQPainter();
    void lie(QPainter* peintre, const TRectangle& clip);
    // Called with the area touched by every drawing primitive.
    virtual void apresDessin(const QRect& zone);

private:
    void appliqueFonte();
    void appliquePlume();

    QPainter* peintre_ = nullptr;
    TRectangle clip_;
    QPen plume_{Qt::black};
    QBrush brosse_{Qt::white, Qt::SolidPattern};
    QFont fonte_;
    QColor couleurFonte_{Qt::black};
    int hauteurFonte_ = 13;
    QPoint position_;
    QPolygon chemin_;  // lines from position to position not yet drawn
};

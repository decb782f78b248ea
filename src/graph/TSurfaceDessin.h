#pragma once

#include "graph/StylesDessin.h"
#include "graph/TRectangle.h"

#include <QColor>
#include <QString>

// The few canvas operations the graph draws with. Pen, brush and font settings
// stay in force until changed; lines go from the current position.
class TSurfaceDessin {
public:
    virtual ~TSurfaceDessin();

    virtual void setCouleurPlume(const QColor& couleur) = 0;
    virtual void setStylePlume(TStylePlume style) = 0;
    virtual void setEpaisseurPlume(int epaisseur) = 0;

    virtual void setStyleBrosse(TStyleBrosse style) = 0;
    virtual void setCouleurBrosse(const QColor& couleur) = 0;

    virtual void setNomFonte(const QString& nom) = 0;
    // Height of the character cell (ascent + descent) in pixels.
    virtual void setHauteurFonte(int pixels) = 0;
    virtual void setCouleurFonte(const QColor& couleur) = 0;
    virtual void setGrasFonte(bool gras) = 0;

    virtual void deplaceVers(int x, int y) = 0;
    virtual void ligneVers(int x, int y) = 0;

    // Fills with the brush, no outline.
    virtual void rempliRectangle(const TRectangle& r) = 0;
    // Filled with the brush and outlined with the pen.
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;

    // (x, y) is the top-left corner of the text.
    virtual void texte(int x, int y, const QString& t) = 0;
    virtual int largeurTexte(const QString& t) = 0;

    // The area to draw on: the whole surface or page.
    virtual TRectangle rectangleClip() const = 0;

protected:
    TSurfaceDessin() = default;
    TSurfaceDessin(const TSurfaceDessin&) = default;
    TSurfaceDessin& operator=(const TSurfaceDessin&) = default;
};

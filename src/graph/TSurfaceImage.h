#pragma once

#include "graph/TSurfaceQPainter.h"

#include <QImage>
#include <QPainter>

#include <functional>

// A drawing surface over an image it owns: offscreen drawings (PNG files,
// benchmarks) and the backing store of the on-screen graph view.
class TSurfaceImage : public TSurfaceQPainter {
public:
    explicit TSurfaceImage(const QSize& taille);
    ~TSurfaceImage() override;

    // A new blank (white) image of this size; pen, brush and font are kept.
    void redimensionne(const QSize& taille);
    // The image with every line drawn so far.
    const QImage& image();

    // Told of the area touched by each primitive (the view repaints it).
    std::function<void(const QRect&)> surModification;

protected:
    void apresDessin(const QRect& zone) override;

private:
    QImage image_;
    QPainter peintre_;
};

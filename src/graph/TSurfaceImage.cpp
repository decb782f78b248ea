#include "graph/TSurfaceImage.h"

#include <algorithm>

TSurfaceImage::TSurfaceImage(const QSize& taille)
{
    redimensionne(taille);
}

TSurfaceImage::~TSurfaceImage()
{
    lie(nullptr, {});  // draws what is held back while the painter is alive
    if (peintre_.isActive()) peintre_.end();
}

void TSurfaceImage::redimensionne(const QSize& taille)
{
    lie(nullptr, {});
    if (peintre_.isActive()) peintre_.end();
    // A null image cannot be painted on: keep at least one pixel.
    const QSize utile(std::max(1, taille.width()), std::max(1, taille.height()));
    image_ = QImage(utile, QImage::Format_RGB32);
    image_.fill(Qt::white);
    peintre_.begin(&image_);
    lie(&peintre_, {0, 0, std::max(0, taille.width()), std::max(0, taille.height())});
}

const QImage& TSurfaceImage::image()
{
    vide();
    return image_;
}

void TSurfaceImage::apresDessin(const QRect& zone)
{
    if (surModification) surModification(zone);
}

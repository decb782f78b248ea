#pragma once

#include "MoteurEspion.h"

#include <QPrinter>

// A PDF printer whose pages are drawn by a spying engine: its geometry is the
// real page's, and what is drawn on it can be checked primitive by primitive.
class ImprimanteEspionne : public QPrinter {
public:
    explicit ImprimanteEspionne(MoteurEspion& moteur);
    QPaintEngine* paintEngine() const override;

private:
    MoteurEspion& moteur_;
};

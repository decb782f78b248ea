#include "ImprimanteEspionne.h"

ImprimanteEspionne::ImprimanteEspionne(MoteurEspion& moteur)
    : QPrinter(QPrinter::HighResolution), moteur_(moteur)
{
    setOutputFormat(QPrinter::PdfFormat);
}

QPaintEngine* ImprimanteEspionne::paintEngine() const
{
    return &moteur_;
}

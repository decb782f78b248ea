#include "link/TPointeurOccupe.h"

#include <QCursor>
#include <QGuiApplication>

TPointeurOccupe::~TPointeurOccupe()
{
    normal();
}

void TPointeurOccupe::occupe()
{
    if (occupe_ || qGuiApp == nullptr) return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    occupe_ = true;
}

void TPointeurOccupe::normal()
{
    if (!occupe_) return;
    if (qGuiApp != nullptr) QGuiApplication::restoreOverrideCursor();
    occupe_ = false;
}

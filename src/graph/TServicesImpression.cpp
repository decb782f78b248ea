#include "graph/TServicesImpression.h"

#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

bool demandeConfirmation()
{
    return QMessageBox::question(nullptr, QString(), QStringLiteral("Impression ?"),
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
           == QMessageBox::Ok;
}

// The default printer, in grey scale when it cannot print colours, so that the
// graph then draws its lines in black.
std::unique_ptr<QPrinter> imprimanteParDefaut()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    auto imprimante = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    const QList<QPrinter::ColorMode> modes = info.supportedColorModes();
    const bool couleur = modes.isEmpty() || modes.contains(QPrinter::Color);
    imprimante->setColorMode(couleur ? QPrinter::Color : QPrinter::GrayScale);
    return imprimante;
}

void avertit(const QString& texte)
{
    QMessageBox::warning(nullptr, QString(), texte);
}

}  // namespace

TServicesImpression TServicesImpression::standard()
{
    TServicesImpression services;
    services.confirme = demandeConfirmation;
    services.imprimante = imprimanteParDefaut;
    services.signale = avertit;
    return services;
}

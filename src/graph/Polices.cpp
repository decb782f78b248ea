#include "graph/Polices.h"

#include <QFont>
#include <QFontDatabase>

namespace {

void substitueCalibri()
{
    const QString calibri = QStringLiteral("Calibri");
    const QString carlito = QStringLiteral("Carlito");
    if (!QFontDatabase::hasFamily(calibri) && QFontDatabase::hasFamily(carlito))
        QFont::insertSubstitution(calibri, carlito);
}

}  // namespace

QString famillePolice(const QString& nom)
{
    static const bool substitutionFaite = (substitueCalibri(), true);
    Q_UNUSED(substitutionFaite);
    return nom;
}

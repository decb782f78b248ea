#include "app/TitreApplication.h"

QString titreApplication(const QString& cheminExecutable)
{
    QString nom = cheminExecutable.sliced(cheminExecutable.lastIndexOf(u'/') + 1);
    const qsizetype point = nom.indexOf(u'.');
    if (point >= 0) nom.truncate(point);
    if (nom.isEmpty()) return nom;
    return nom.first(1).toUpper() + nom.sliced(1).toLower();
}

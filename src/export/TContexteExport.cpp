#include "export/TContexteExport.h"

#include "common/Temps.h"

#include <QCoreApplication>

TContexteExport TContexteExport::maintenant(const QString& commentaire)
{
    return {QCoreApplication::applicationFilePath(), commentaire, texteDateHeure(QDateTime::currentDateTime())};
}

QString texteDateHeure(const QDateTime& moment, const QLocale& locale)
{
    return locale.toString(moment.date(), QLocale::ShortFormat) + u' '
           + locale.toString(moment.time(), formatHeureLong(locale));
}

QString texteLignes(const QStringList& lignes)
{
    QString texte;
    for (const QString& l : lignes) texte += l + QStringLiteral("\r\n");
    return texte;
}

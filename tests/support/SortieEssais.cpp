#include "SortieEssais.h"

#include <QDir>

QString dossierSortieEssais()
{
    QString dossier = qEnvironmentVariable("LUMKO_TEST_OUTPUT");
    if (dossier.isEmpty()) dossier = QStringLiteral(LUMKO_TEST_OUTPUT_DEFAUT);
    QDir().mkpath(dossier);
    return dossier;
}

QString fichierSortieEssais(const QString& nom)
{
    return QDir(dossierSortieEssais()).filePath(nom);
}

#include "export/FichierExport.h"

#include "export/CodePageAnsi.h"
#include "export/TContexteExport.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// What kept the file from being made, in the user's terms rather than the
// system's.
QString raisonOuverture(const QString& chemin, const QSaveFile& fichier)
{
    const QFileInfo info(chemin);
    const QFileInfo dossier(info.absolutePath());
    if (info.isDir()) return QStringLiteral("un dossier porte déjà ce nom");
    if (!dossier.exists()) return QStringLiteral("le dossier n'existe pas");
    if (!dossier.isWritable()) return QStringLiteral("le dossier est protégé en écriture");
    if (info.exists() && !info.isWritable()) return QStringLiteral("le fichier est protégé en écriture");
    return QStringLiteral("erreur du système : ") + fichier.errorString();
}

// Once the file is open, what fails is the writing itself.
QString raisonEcriture(const QString& chemin, const QSaveFile&)
{
    if (!QFileInfo(QFileInfo(chemin).absolutePath()).isWritable())
        return QStringLiteral("le dossier est protégé en écriture");
    return QStringLiteral("l'écriture a échoué (disque plein ?)");
}

} // namespace

QString ecritFichierExport(const QString& chemin, const QStringList& lignes)
{
    QSaveFile fichier(chemin);
    if (QFileInfo(chemin).isDir() || !fichier.open(QIODevice::WriteOnly)) return raisonOuverture(chemin, fichier);
    const QByteArray octets = versCodePageAnsi(texteLignes(lignes));
    if (fichier.write(octets) != octets.size()) {
        const QString raison = raisonEcriture(chemin, fichier);
        fichier.cancelWriting();
        return raison;
    }
    if (!fichier.commit()) return raisonEcriture(chemin, fichier);
    return {};
}

QString messageEchecFichier(const QString& chemin, const QString& raison)
{
    return QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.").arg(QDir::toNativeSeparators(chemin), raison);
}

QString messagePointsEcartes(const QString& chemin, int nombre)
{
    const QString nom = QDir::toNativeSeparators(chemin);
    if (nombre == 1)
        return QStringLiteral("Le fichier « %1 » est enregistré sans un point dont la valeur n'est pas un nombre fini.")
            .arg(nom);
    return QStringLiteral("Le fichier « %1 » est enregistré sans %2 points dont la valeur n'est pas un nombre fini.")
        .arg(nom, QString::number(nombre));
}

#include "common/NomFichierIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

QString& nomGlobal()
{
    static QString nom;
    return nom;
}

qsizetype debutNomFichier(const QString& chemin)
{
    return chemin.lastIndexOf(u'/') + 1;
}

// The position of the extension's dot, or -1. A dot that begins the file name
// (a hidden file) is part of the name, not an extension.
qsizetype pointExtension(const QString& chemin)
{
    const qsizetype point = chemin.lastIndexOf(u'.');
    return point > debutNomFichier(chemin) ? point : -1;
}

QString sansExtension(const QString& chemin)
{
    const qsizetype point = pointExtension(chemin);
    return point < 0 ? chemin : chemin.first(point);
}

} // namespace

// access() also knows read-only mounts and the rights of the effective user.
bool peutEcrireDans(const QString& dossier)
{
    return ::access(QFile::encodeName(dossier).constData(), W_OK | X_OK) == 0;
}

const QString& NomFichierIni()
{
    return nomGlobal();
}

void fixeNomFichierIni(const QString& nom)
{
    nomGlobal() = nom;
}

void fixeNomFichierIni()
{
    const QString executable = QCoreApplication::applicationFilePath();
    const QString voisin = nomIniVoisin(executable);
    const QString nom = choisitNomFichierIni(
        executable, QFileInfo::exists(voisin), peutEcrireDans(QFileInfo(voisin).absolutePath()),
        qEnvironmentVariable("XDG_CONFIG_HOME"), qEnvironmentVariable("HOME"));
    // The settings are written at the end of the program, into an existing
    // folder; the user's own one may not be there yet on a first start.
    if (nom != voisin) QDir().mkpath(QFileInfo(nom).absolutePath());
    fixeNomFichierIni(nom);
}

QString nomIniVoisin(const QString& cheminExecutable)
{
    return sansExtension(cheminExecutable) + QStringLiteral(".ini");
}

QString nomIniPersonnel(const QString& cheminExecutable, const QString& xdgConfigHome,
                        const QString& home)
{
    QString base;
    if (QDir::isAbsolutePath(xdgConfigHome))
        base = xdgConfigHome;
    else if (QDir::isAbsolutePath(home))
        base = home + QStringLiteral("/.config");
    else
        return QString();
    const QString fichier = sansExtension(cheminExecutable);
    const QString nom = fichier.sliced(debutNomFichier(fichier));
    return QDir::cleanPath(base + u'/' + nom + u'/' + nom + QStringLiteral(".ini"));
}

QString choisitNomFichierIni(const QString& cheminExecutable, bool voisinExiste,
                             bool dossierInscriptible, const QString& xdgConfigHome,
                             const QString& home)
{
    const QString voisin = nomIniVoisin(cheminExecutable);
    if (voisinExiste || dossierInscriptible) return voisin;
    const QString personnel = nomIniPersonnel(cheminExecutable, xdgConfigHome, home);
    return personnel.isEmpty() ? voisin : personnel;
}

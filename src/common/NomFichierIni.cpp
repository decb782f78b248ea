#include "common/NomFichierIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TCheminsIni& cheminsGlobaux()
{
    static TCheminsIni chemins{QString()};
    return chemins;
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

bool peutEcrireFichier(const QString& chemin)
{
    if (!peutEcrireDans(QFileInfo(chemin).absolutePath())) return false;
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat etat {};
    if (::stat(nom.constData(), &etat) != 0) return errno == ENOENT;
    const bool permisEcriture = (etat.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return S_ISREG(etat.st_mode) && permisEcriture && ::access(nom.constData(), W_OK) == 0;
}

const TCheminsIni& CheminsIni()
{
    return cheminsGlobaux();
}

const QString& NomFichierIni()
{
    return cheminsGlobaux().personnel;
}

void fixeNomFichierIni(const TCheminsIni& chemins)
{
    cheminsGlobaux() = chemins;
}

void fixeNomFichierIni()
{
    const QString executable = QCoreApplication::applicationFilePath();
    const QString voisin = nomIniVoisin(executable);
    const TCheminsIni chemins =
        choisitCheminsIni(executable, peutEcrireFichier(voisin), qEnvironmentVariable("XDG_CONFIG_HOME"),
                          qEnvironmentVariable("HOME"));
    // The settings are written at the end of the program, into an existing
    // folder; the user's own one may not be there yet on a first start.
    if (chemins.personnel != voisin) QDir().mkpath(QFileInfo(chemins.personnel).absolutePath());
    fixeNomFichierIni(chemins);
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

TCheminsIni choisitCheminsIni(const QString& cheminExecutable, bool voisinInscriptible,
                              const QString& xdgConfigHome, const QString& home)
{
    const QString voisin = nomIniVoisin(cheminExecutable);
    if (voisinInscriptible) return {voisin};
    const QString personnel = nomIniPersonnel(cheminExecutable, xdgConfigHome, home);
    if (personnel.isEmpty() || personnel == voisin) return {voisin};
    return {personnel, voisin};
}

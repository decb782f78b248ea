#include "common/DossierExecution.h"

#include "common/NomFichierIni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool dossierInscriptible(const QString& dossier)
{
    return QDir::isAbsolutePath(dossier) && QFileInfo(dossier).isDir() && peutEcrireDans(dossier);
}

} // namespace

QString dossierExecution()
{
    return dossierExecution(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
}

QString dossierExecution(const QString& xdgRuntimeDir, const QString& dossierTemp)
{
    if (dossierInscriptible(xdgRuntimeDir)) return QDir::cleanPath(xdgRuntimeDir);
    const QString prive =
        QDir::cleanPath(dossierTemp + QStringLiteral("/lumko-") + QString::number(::getuid()));
    return dossierPrive(prive) ? prive : QString();
}

// The folder must be ours and closed to others: the locks and the sockets in
// it are what other processes of the user trust.
bool dossierPrive(const QString& dossier)
{
    const QByteArray chemin = QFile::encodeName(dossier);
    if (::mkdir(chemin.constData(), 0700) != 0 && errno != EEXIST) return false;
    struct stat etat {};
    if (::lstat(chemin.constData(), &etat) != 0) return false;
    if (!S_ISDIR(etat.st_mode) || etat.st_uid != ::getuid()) return false;
    if ((etat.st_mode & 0777) != 0700 && ::chmod(chemin.constData(), 0700) != 0) return false;
    return true;
}

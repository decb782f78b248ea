#include "common/DossierExecution.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder as it stands, nothing created or changed: the session's runtime
// folder is the session manager's to make, not ours to mend.
bool dossierDeConfiance(const QString& dossier)
{
    if (dossier.isEmpty() || !QDir::isAbsolutePath(dossier)) return false;
    struct stat etat {};
    if (::lstat(QFile::encodeName(QDir::cleanPath(dossier)).constData(), &etat) != 0) return false;
    return S_ISDIR(etat.st_mode) && etat.st_uid == ::getuid() && (etat.st_mode & 07777) == 0700;
}

QString texteErreur(int erreur)
{
    return QString::fromLocal8Bit(std::strerror(erreur));
}

} // namespace

QString dossierExecution()
{
    return dossierExecution(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
}

// A shared folder (/tmp, or any folder others can enter) would let another
// account hold or plant our locks, or take our folder's name first.
QString dossierExecution(const QString& xdgRuntimeDir, const QString& dossierTemp)
{
    if (dossierDeConfiance(xdgRuntimeDir)) return QDir::cleanPath(xdgRuntimeDir);
    if (dossierTemp.isEmpty()) return {};
    const QString prive =
        QDir::cleanPath(dossierTemp + QStringLiteral("/lumko-") + QString::number(::getuid()));
    return dossierPrive(prive) ? prive : QString();
}

QString dossierLumko()
{
    return dossierLumko(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
}

QString dossierLumko(const QString& xdgRuntimeDir, const QString& dossierTemp)
{
    const QString racine = dossierExecution(xdgRuntimeDir, dossierTemp);
    if (racine.isEmpty()) return {};
    const QString dossier = racine + QStringLiteral("/lumko");
    return dossierPrive(dossier) ? dossier : QString();
}

// The folder must be ours and closed to others: the locks and the sockets in
// it are what other processes of the user trust. It is looked at through a
// descriptor opened without following a link, so that what is checked is what
// is mended.
bool dossierPrive(const QString& dossier)
{
    if (dossier.isEmpty()) return false;
    const QByteArray chemin = QFile::encodeName(dossier);
    if (::mkdir(chemin.constData(), 0700) != 0 && errno != EEXIST) return false;
    const int fd = ::open(chemin.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat etat {};
    const bool prive = ::fstat(fd, &etat) == 0 && S_ISDIR(etat.st_mode) && etat.st_uid == ::getuid()
                    && ((etat.st_mode & 07777) == 0700 || ::fchmod(fd, 0700) == 0);
    ::close(fd);
    return prive;
}

int ouvreFichierVerrou(const QString& chemin, QString* raison)
{
    const auto echec = [raison](const QString& texte) {
        if (raison) *raison = texte;
        return -1;
    };
    // Non-blocking: a FIFO put in its place must not hang the open.
    const int fd = ::open(QFile::encodeName(chemin).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
    if (fd < 0) {
        const int erreur = errno;
        return echec(erreur == ELOOP ? QStringLiteral("c'est un lien symbolique") : texteErreur(erreur));
    }
    struct stat etat {};
    QString refus;
    if (::fstat(fd, &etat) != 0)
        refus = texteErreur(errno);
    else if (!S_ISREG(etat.st_mode))
        refus = QStringLiteral("ce n'est pas un fichier ordinaire");
    else if (etat.st_uid != ::getuid())
        refus = QStringLiteral("il appartient à un autre compte");
    if (refus.isEmpty()) return fd;
    ::close(fd);
    return echec(refus);
}

bool socketDeConfiance(const QString& chemin)
{
    struct stat etat {};
    if (::lstat(QFile::encodeName(chemin).constData(), &etat) != 0) return false;
    return S_ISSOCK(etat.st_mode) && etat.st_uid == ::getuid();
}

bool placeDeConfiance(const QString& chemin)
{
    struct stat etat {};
    if (::lstat(QFile::encodeName(chemin).constData(), &etat) != 0) return errno == ENOENT;
    return !S_ISLNK(etat.st_mode) && etat.st_uid == ::getuid();
}

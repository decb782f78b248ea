#include "export/TVerrouNomme.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <utility>

TVerrouNomme::TVerrouNomme(QString nom, QString dossier) : nom_(std::move(nom)), dossier_(std::move(dossier)) {}

TVerrouNomme::~TVerrouNomme()
{
    if (fd_ >= 0) ::close(fd_);
}

QString TVerrouNomme::chemin() const
{
    return dossier_ + u'/' + nom_ + QStringLiteral(".lock");
}

bool TVerrouNomme::existeDeja()
{
    if (fd_ >= 0) return true;
    if (dossier_.isEmpty()) return false;
    const int fd = ::open(QFile::encodeName(chemin()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fd_ = fd;
        return false;
    }
    const bool occupe = errno == EWOULDBLOCK;
    ::close(fd);
    return occupe;
}

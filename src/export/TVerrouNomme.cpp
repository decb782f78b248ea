#include "export/TVerrouNomme.h"

#include "common/DossierExecution.h"

#include <cerrno>
#include <cstring>
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
    if (fd_ >= 0 || !echec_.isEmpty()) return true;
    if (dossier_.isEmpty()) {
        echec_ = QStringLiteral("pas de dossier privé pour le verrou « %1 »").arg(nom_);
        return false;
    }
    QString raison;
    const int fd = ouvreFichierVerrou(chemin(), &raison);
    if (fd < 0) {
        echec_ = QStringLiteral("verrou « %1 » : %2").arg(chemin(), raison);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fd_ = fd;
        return false;
    }
    const int erreur = errno;
    ::close(fd);
    if (erreur == EWOULDBLOCK) return true;
    echec_ = QStringLiteral("verrou « %1 » : %2").arg(chemin(), QString::fromLocal8Bit(std::strerror(erreur)));
    return false;
}

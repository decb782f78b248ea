#include "export/CanalDDE.h"

#include "common/DossierExecution.h"

#include <QLocalSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace canal {

QString dossier()
{
    const QString racine = dossierLumko();
    if (racine.isEmpty()) return {};
    const QString d = racine + QStringLiteral("/dde");
    return dossierPrive(d) ? d : QString();
}

bool nomValide(const QString& nom)
{
    if (nom.isEmpty() || nom.size() > 64 || nom == u"." || nom == u"..") return false;
    for (const QChar c : nom)
        if (c == u'/' || c == u'\0' || c.isSpace()) return false;
    return true;
}

QString chemin(const QString& service, const QString& sujet)
{
    const QString d = dossier();
    if (d.isEmpty() || !nomValide(service) || !nomValide(sujet)) return {};
    return d + u'/' + service + u'.' + sujet;
}

bool cheminDeConfiance(const QString& chemin)
{
    return socketDeConfiance(chemin);
}

bool pairDeConfiance(const QLocalSocket& socket)
{
    const qintptr fd = socket.socketDescriptor();
    if (fd < 0) return false;
    struct ucred pair {};
    socklen_t taille = sizeof(pair);
    if (::getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &pair, &taille) != 0) return false;
    return pair.uid == ::getuid();
}

} // namespace canal

#include "app/TInstanceUnique.h"

#include "app/TApplicationLumko.h"
#include "common/DossierExecution.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QByteArray demande = QByteArrayLiteral("RESTAURE\n");
const QByteArray accuse = QByteArrayLiteral("OK\n");

// No request is longer than this; a client that sends more is not one of us.
constexpr qint64 longueurMaxDemande = 64;

int resteMs(const QDeadlineTimer& limite)
{
    return int(std::min<qint64>(limite.remainingTime(), 60000));
}

} // namespace

TInstanceUnique::TInstanceUnique(const QString& dossier, const QString& titre, QObject* parent)
    : QObject(parent), dossier_(dossier), titre_(titre)
{
}

TInstanceUnique::~TInstanceUnique()
{
    if (serveur_) serveur_->close();
    if (fdVerrou_ >= 0) ::close(fdVerrou_);
}

std::unique_ptr<TInstanceUnique> TInstanceUnique::duProgramme()
{
    return std::make_unique<TInstanceUnique>(dossierLumko(), TApplicationLumko::titre());
}

QString TInstanceUnique::cheminVerrou() const
{
    return dossier_ + u'/' + titre_ + QStringLiteral(".lock");
}

QString TInstanceUnique::cheminSocket() const
{
    return dossier_ + u'/' + titre_ + QStringLiteral(".socket");
}

QString TInstanceUnique::texteSansReponse(const QString& titre)
{
    return QStringLiteral("%1 est déjà lancé mais ne répond pas ; ce second lancement s'arrête.").arg(titre);
}

bool TInstanceUnique::enEcoute() const
{
    return serveur_ && serveur_->isListening();
}

TInstanceUnique::Verrou TInstanceUnique::prendVerrou()
{
    if (dossier_.isEmpty()) {
        raisonVerrou_ = QStringLiteral("pas de dossier privé");
        return Verrou::Impossible;
    }
    // Close-on-exec: a program started from here must not keep the lock
    // after this copy has ended.
    const int fd = ouvreFichierVerrou(cheminVerrou(), &raisonVerrou_);
    if (fd < 0) return Verrou::Impossible;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fdVerrou_ = fd;
        return Verrou::Pris;
    }
    const int erreur = errno;
    ::close(fd);
    if (erreur == EWOULDBLOCK) return Verrou::Occupe;
    raisonVerrou_ = QString::fromLocal8Bit(std::strerror(erreur));
    return Verrou::Impossible;
}

// The lock alone decides: a copy that finds it busy never runs, even when the
// holder is still building its windows and cannot answer yet.
TInstanceUnique::Demarrage TInstanceUnique::demarre()
{
    const QDeadlineTimer limite(delaiMs);
    bool vuOccupe = false;
    for (;;) {
        switch (prendVerrou()) {
        case Verrou::Pris:
            ecoute();
            return Demarrage::seule;
        case Verrou::Impossible:
            // A lock that cannot be taken at all says nothing about other
            // copies: starting is better than refusing to. Once it has been
            // seen busy, though, another copy is known to run.
            if (!vuOccupe) {
                qWarning("%s : verrou « %s » impossible (%s) ; pas de contrôle d'instance unique.",
                         qUtf8Printable(titre_), qUtf8Printable(dossier_.isEmpty() ? titre_ : cheminVerrou()),
                         qUtf8Printable(raisonVerrou_));
                return Demarrage::seule;
            }
            break;
        case Verrou::Occupe:
            vuOccupe = true;
            break;
        }
        if (limite.hasExpired()) return Demarrage::sansReponse;
        if (demandeRestauration(limite)) return Demarrage::restauree;
        QThread::msleep(static_cast<unsigned long>(pauseMs));
    }
}

// A holder that is starting has no socket yet, or still has the one of a copy
// that is gone (refused at once); one that is building its windows accepts
// the connection and answers once its event loop runs; one that dies closes
// the connection, and the next attempt finds its lock free.
bool TInstanceUnique::demandeRestauration(const QDeadlineTimer& limite) const
{
    if (!socketDeConfiance(cheminSocket())) return false;
    QLocalSocket client;
    client.connectToServer(cheminSocket());
    if (!client.waitForConnected(resteMs(limite))) return false;
    client.write(demande);
    if (!client.waitForBytesWritten(resteMs(limite))) return false;
    while (!client.canReadLine()) {
        if (limite.hasExpired() || !client.waitForReadyRead(resteMs(limite))) return false;
    }
    return client.readLine() == accuse;
}

void TInstanceUnique::surRestauration(std::function<void()> restaure)
{
    restaure_ = std::move(restaure);
}

void TInstanceUnique::ecoute()
{
    // Any socket left under this name belongs to a copy that is gone: the
    // lock is ours. A link or another account's file is not replaced.
    if (!placeDeConfiance(cheminSocket())) return;
    QLocalServer::removeServer(cheminSocket());
    serveur_ = new QLocalServer(this);
    serveur_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(serveur_, &QLocalServer::newConnection, this, &TInstanceUnique::accueille);
    if (!serveur_->listen(cheminSocket())) {
        delete serveur_;
        serveur_ = nullptr;
        return;
    }
    // Once the event loop has ended nobody would answer: a later start then
    // finds no socket and waits for the lock instead of for an answer.
    if (QCoreApplication* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, serveur_, &QLocalServer::close);
}

void TInstanceUnique::accueille()
{
    while (QLocalSocket* client = serveur_->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] { repond(client); });
        repond(client);
    }
}

void TInstanceUnique::repond(QLocalSocket* client)
{
    while (client->canReadLine()) {
        if (client->readLine() != demande) {
            client->abort();
            return;
        }
        if (restaure_) restaure_();
        client->write(accuse);
        client->flush();
    }
    if (client->bytesAvailable() > longueurMaxDemande) client->abort();
}

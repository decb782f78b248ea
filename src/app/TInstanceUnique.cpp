#include "app/TInstanceUnique.h"

#include "app/TitreApplication.h"
#include "common/DossierExecution.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray demande = QByteArrayLiteral("RESTAURE\n");
const QByteArray accuse = QByteArrayLiteral("OK\n");

// No request is longer than this; a client that sends more is not one of us.
constexpr qint64 longueurMaxDemande = 64;

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
    return std::make_unique<TInstanceUnique>(
        dossierExecution(), titreApplication(QCoreApplication::applicationFilePath()));
}

QString TInstanceUnique::dossierExecution()
{
    return ::dossierExecution();
}

QString TInstanceUnique::dossierExecution(const QString& xdgRuntimeDir, const QString& dossierTemp)
{
    return ::dossierExecution(xdgRuntimeDir, dossierTemp);
}

QString TInstanceUnique::cheminVerrou() const
{
    return dossier_ + QStringLiteral("/LUMKO.lock");
}

QString TInstanceUnique::cheminSocket() const
{
    return dossier_ + u'/' + titre_ + QStringLiteral(".socket");
}

bool TInstanceUnique::ecoute() const
{
    return serveur_ && serveur_->isListening();
}

TInstanceUnique::Verrou TInstanceUnique::prendVerrou()
{
    if (dossier_.isEmpty()) return Verrou::Impossible;
    const int fd = ::open(QFile::encodeName(cheminVerrou()).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return Verrou::Impossible;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fdVerrou_ = fd;
        return Verrou::Pris;
    }
    const bool occupe = errno == EWOULDBLOCK;
    ::close(fd);
    return occupe ? Verrou::Occupe : Verrou::Impossible;
}

bool TInstanceUnique::autreCopieRestauree()
{
    // A lock that cannot be taken at all says nothing about other copies:
    // starting is better than refusing to.
    return prendVerrou() == Verrou::Occupe && demandeRestauration();
}

bool TInstanceUnique::demandeRestauration() const
{
    const QDeadlineTimer limite(delaiMs);
    QLocalSocket client;
    client.connectToServer(cheminSocket());
    if (!client.waitForConnected(int(limite.remainingTime()))) return false;
    client.write(demande);
    if (!client.waitForBytesWritten(int(limite.remainingTime()))) return false;
    while (!client.canReadLine()) {
        if (limite.hasExpired() || !client.waitForReadyRead(int(limite.remainingTime())))
            return false;
    }
    return client.readLine() == accuse;
}

void TInstanceUnique::ecoute(std::function<void()> restaure)
{
    restaure_ = std::move(restaure);
    if (dossier_.isEmpty() || ecoute()) return;
    // Any socket left under this name belongs to a copy that is gone, or to
    // one that did not answer: neither will serve the next start.
    QLocalServer::removeServer(cheminSocket());
    serveur_ = new QLocalServer(this);
    serveur_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(serveur_, &QLocalServer::newConnection, this, &TInstanceUnique::accueille);
    if (!serveur_->listen(cheminSocket())) {
        delete serveur_;
        serveur_ = nullptr;
    }
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

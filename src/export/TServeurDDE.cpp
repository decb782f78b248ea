#include "export/TServeurDDE.h"

#include "export/CanalDDE.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QVariant>

#include <utility>

namespace {

// What is left to read of an execute request whose header has come.
const char* const proprieteAttendus = "lumko_attendus";

} // namespace

TServeurDDE::TServeurDDE(QString service, QString sujet, QObject* parent)
    : QObject(parent), service_(std::move(service)), sujet_(std::move(sujet))
{
}

TServeurDDE::~TServeurDDE()
{
    if (serveur_) serveur_->close();
}

bool TServeurDDE::ecoute()
{
    chemin_ = canal::chemin(service_, sujet_);
    if (chemin_.isEmpty()) {
        erreur_ = QStringLiteral("Dossier du canal d'échange indisponible");
        return false;
    }
    // A socket left by a program that died is taken over; a live one is not.
    QLocalSocket essai;
    essai.connectToServer(chemin_);
    if (essai.waitForConnected(200)) {
        erreur_ = QStringLiteral("Le service %1 est déjà servi").arg(service_);
        return false;
    }
    QLocalServer::removeServer(chemin_);
    serveur_ = new QLocalServer(this);
    serveur_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(serveur_, &QLocalServer::newConnection, this, &TServeurDDE::nouvelleConversation);
    if (!serveur_->listen(chemin_)) {
        erreur_ = serveur_->errorString();
        return false;
    }
    return true;
}

void TServeurDDE::nouvelleConversation()
{
    while (QLocalSocket* socket = serveur_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!canal::pairDeConfiance(*socket)) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { lit(socket); });
        lit(socket);
    }
}

void TServeurDDE::lit(QLocalSocket* socket)
{
    while (traiteUne(socket)) {
    }
}

// One request, when it has come whole; false when more bytes are needed or
// the conversation was dropped for a malformed request.
bool TServeurDDE::traiteUne(QLocalSocket* socket)
{
    const qsizetype attendus = socket->property(proprieteAttendus).toLongLong();
    if (attendus > 0) {
        if (socket->bytesAvailable() < attendus) return false;
        QByteArray donnees = socket->read(attendus);
        socket->setProperty(proprieteAttendus, QVariant::fromValue<qsizetype>(0));
        if (donnees.endsWith('\0')) donnees.chop(1);
        repond(socket, !surExecute || surExecute(donnees));
        return true;
    }
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > canal::longueurMaxLigne) socket->abort();
        return false;
    }
    QByteArray ligne = socket->readLine(canal::longueurMaxLigne + 1);
    if (!ligne.endsWith('\n')) {
        socket->abort();
        return false;
    }
    ligne.chop(1);
    if (ligne.endsWith('\r')) ligne.chop(1);
    const qsizetype espace = ligne.indexOf(' ');
    const QByteArray verbe = ligne.left(espace);
    const QByteArray argument = espace < 0 ? QByteArray() : ligne.mid(espace + 1);
    if (verbe == canal::advstart) {
        repond(socket, surAvis && surAvis(QString::fromLatin1(argument)));
        return true;
    }
    bool lu = false;
    const qsizetype longueur = argument.toLongLong(&lu);
    if (verbe != canal::execute || !lu || longueur <= 0 || longueur > canal::longueurMaxDonnees) {
        socket->abort();
        return false;
    }
    socket->setProperty(proprieteAttendus, QVariant::fromValue<qsizetype>(longueur));
    return true;
}

void TServeurDDE::repond(QLocalSocket* socket, bool accepte)
{
    if (muet) return;
    socket->write((accepte ? canal::ack : canal::nack) + '\n');
    socket->flush();
}

#include "export/TServeurDDE.h"

#include "common/DossierExecution.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <utility>

// What has come of the request under way.
struct TServeurDDE::Conversation {
    QTimer* inactivite = nullptr;  // a child of the socket
    QByteArray ligne;              // the request line so far, its end included
    QByteArray donnees;            // the execute request's bytes so far
    qsizetype attendus = 0;        // the execute request's length; 0 while a line is due
};

namespace {

// A line, its end included: the longest line and CR LF.
constexpr qsizetype longueurMaxAvecFin = canal::longueurMaxLigne + 2;

} // namespace

TServeurDDE::TServeurDDE(QString service, QString sujet, QObject* parent)
    : QObject(parent), service_(std::move(service)), sujet_(std::move(sujet))
{
}

TServeurDDE::~TServeurDDE()
{
    for (const auto& [socket, conversation] : conversations_) socket->disconnect(this);
    if (serveur_) serveur_->close();
}

bool TServeurDDE::ecoute()
{
    chemin_ = canal::chemin(service_, sujet_);
    if (chemin_.isEmpty()) {
        erreur_ = QStringLiteral("Dossier du canal d'échange indisponible");
        return false;
    }
    // A link, or a file of another account, is neither followed nor replaced.
    if (!placeDeConfiance(chemin_)) {
        erreur_ = QStringLiteral("« %1 » n'appartient pas à ce compte ou est un lien symbolique").arg(chemin_);
        return false;
    }
    // A socket left by a program that died is taken over; a live one is not.
    if (canal::cheminDeConfiance(chemin_)) {
        QLocalSocket essai;
        essai.connectToServer(chemin_);
        if (essai.waitForConnected(200)) {
            erreur_ = QStringLiteral("Le service %1 est déjà servi").arg(service_);
            return false;
        }
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
        if (conversations() >= maxConversations || !canal::pairDeConfiance(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // Qt reads no more than this at a time; lit() takes it all each time.
        socket->setReadBufferSize(canal::tailleLecture);
        auto conversation = std::make_unique<Conversation>();
        conversation->inactivite = new QTimer(socket);
        conversation->inactivite->setSingleShot(true);
        conversation->inactivite->setInterval(delaiInactiviteMs);
        connect(conversation->inactivite, &QTimer::timeout, this, [this, socket] { ferme(socket); });
        conversation->inactivite->start();
        conversations_.emplace(socket, std::move(conversation));
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { lit(socket); });
        // Qt hands over what came before the client left (readyRead) before
        // it says the client is gone.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { ferme(socket); });
        lit(socket);
    }
}

void TServeurDDE::lit(QLocalSocket* socket)
{
    // Looked up again after each request: answering it, or its handler, may
    // have ended the conversation.
    for (bool premiere = true;; premiere = false) {
        const auto trouvee = conversations_.find(socket);
        if (trouvee == conversations_.end() || !socket->isOpen()) return;
        if (premiere && socket->bytesAvailable() > 0) trouvee->second->inactivite->start();
        if (!traiteUne(socket, *trouvee->second)) return;
    }
}

// One request, when it has come whole; false when more bytes are needed or
// the conversation was closed (a malformed request, a client that does not
// read its answers). Never reads more than the request under way can hold.
bool TServeurDDE::traiteUne(QLocalSocket* socket, Conversation& conversation)
{
    if (conversation.attendus > 0) {
        conversation.donnees += socket->read(conversation.attendus - conversation.donnees.size());
        if (conversation.donnees.size() < conversation.attendus) return false;
        QByteArray donnees = std::exchange(conversation.donnees, QByteArray());
        conversation.attendus = 0;
        if (donnees.endsWith('\0')) donnees.chop(1);
        const bool accepte = !surExecute || surExecute(donnees);
        return repond(socket, accepte);
    }
    const QByteArray vu = socket->peek(longueurMaxAvecFin - conversation.ligne.size());
    const qsizetype fin = vu.indexOf('\n');
    conversation.ligne += socket->read(fin < 0 ? vu.size() : fin + 1);
    if (fin < 0) {
        if (conversation.ligne.size() >= longueurMaxAvecFin) ferme(socket);
        return false;
    }
    QByteArray ligne = std::exchange(conversation.ligne, QByteArray());
    ligne.chop(1);
    if (ligne.endsWith('\r')) ligne.chop(1);
    if (ligne.size() > canal::longueurMaxLigne) {
        ferme(socket);
        return false;
    }
    const qsizetype espace = ligne.indexOf(' ');
    const QByteArray verbe = ligne.left(espace);
    const QByteArray argument = espace < 0 ? QByteArray() : ligne.mid(espace + 1);
    if (verbe == canal::advstart) {
        const bool accepte = surAvis && surAvis(QString::fromLatin1(argument));
        return repond(socket, accepte);
    }
    bool lu = false;
    const qsizetype longueur = argument.toLongLong(&lu);
    if (verbe != canal::execute || !lu || longueur <= 0 || longueur > canal::longueurMaxDonnees) {
        ferme(socket);
        return false;
    }
    conversation.attendus = longueur;
    return true;
}

bool TServeurDDE::repond(QLocalSocket* socket, bool accepte)
{
    // What the handler did may have ended the conversation.
    if (!conversations_.count(socket)) return false;
    if (muet || socket->state() != QLocalSocket::ConnectedState) return true;
    socket->write((accepte ? canal::ack : canal::nack) + '\n');
    // A client that has gone is seen here, and its conversation closed.
    socket->flush();
    if (!conversations_.count(socket)) return false;
    if (socket->bytesToWrite() <= canal::tailleMaxReponses) return true;
    ferme(socket);
    return false;
}

// At most once per conversation: later calls find it gone.
void TServeurDDE::ferme(QLocalSocket* socket)
{
    if (conversations_.erase(socket) == 0) return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

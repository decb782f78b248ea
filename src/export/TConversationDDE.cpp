#include "export/TConversationDDE.h"

#include "export/CanalDDE.h"

#include <QEventLoop>
#include <QLocalSocket>
#include <QTimer>

namespace {

constexpr int delaiConnexionMs = 200;
constexpr int delaiEcritureMs = 1000;

} // namespace

TConversationDDE::TConversationDDE() = default;

TConversationDDE::~TConversationDDE()
{
    ferme();
}

bool TConversationDDE::connecte(const QString& service, const QString& sujet)
{
    ferme();
    const QString chemin = canal::chemin(service, sujet);
    if (chemin.isEmpty() || !canal::cheminDeConfiance(chemin)) return false;
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(chemin);
    if (!socket->waitForConnected(delaiConnexionMs) || !canal::pairDeConfiance(*socket)) return false;
    socket_ = std::move(socket);
    return true;
}

bool TConversationDDE::ouverte() const
{
    return socket_ && socket_->state() == QLocalSocket::ConnectedState;
}

bool TConversationDDE::demandeAvis(const QString& item, int delaiMs)
{
    if (!ouverte() || !canal::nomValide(item)) return false;
    socket_->write(canal::advstart + ' ' + item.toLatin1() + '\n');
    socket_->flush();
    QEventLoop boucle;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, &boucle, &QEventLoop::quit);
    QObject::connect(socket_.get(), &QLocalSocket::readyRead, &boucle, [&] {
        if (socket_->canReadLine()) boucle.quit();
    });
    QObject::connect(socket_.get(), &QLocalSocket::disconnected, &boucle, &QEventLoop::quit);
    limite.start(delaiMs);
    if (!socket_->canReadLine()) boucle.exec(QEventLoop::ExcludeUserInputEvents);
    if (!ouverte() || !socket_->canReadLine()) return false;
    return socket_->readLine(canal::longueurMaxLigne).trimmed() == canal::ack;
}

bool TConversationDDE::execute(const QByteArray& donnees)
{
    if (!ouverte()) return false;
    const QByteArray charge = donnees + '\0';
    const QByteArray requete = canal::execute + ' ' + QByteArray::number(charge.size()) + '\n' + charge;
    if (socket_->write(requete) != requete.size()) return false;
    socket_->flush();
    while (socket_->bytesToWrite() > 0)
        if (!socket_->waitForBytesWritten(delaiEcritureMs)) return false;
    return true;
}

void TConversationDDE::ferme()
{
    if (!socket_) return;
    socket_->disconnectFromServer();
    socket_.reset();
}

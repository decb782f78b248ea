#pragma once

#include "export/CanalDDE.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <unordered_map>

class QLocalServer;
class QLocalSocket;

// The server side of a service's topic: takes conversations from this
// user's processes only, answers advise requests and execute requests, on
// the user-interface thread between other events. A few conversations at a
// time, none silent for long, none that makes it read or keep without bound.
class TServeurDDE : public QObject {
    Q_OBJECT

public:
    TServeurDDE(QString service, QString sujet, QObject* parent = nullptr);
    ~TServeurDDE() override;

    // Starts listening; false with the reason in erreur() (another process
    // already serves this name, something that is not this user's is in its
    // place, or the channel's folder cannot be made).
    bool ecoute();
    QString erreur() const { return erreur_; }
    QString chemin() const { return chemin_; }
    // Conversations open now.
    int conversations() const { return static_cast<int>(conversations_.size()); }

    // Whether an advise link on the item is granted (refused when absent).
    std::function<bool(const QString& item)> surAvis;
    // What an execute request carries, without its final NUL: true when it
    // is accepted (accepted when absent).
    std::function<bool(const QByteArray& donnees)> surExecute;
    // Reads requests but never answers them (an analysis program that hangs).
    bool muet = false;
    // Conversations at a time: a further one is closed at once.
    int maxConversations = canal::maxConversations;
    // A conversation on which no byte has come for this long is closed (for
    // the conversations that open after it is set).
    int delaiInactiviteMs = canal::delaiInactiviteMs;

private:
    struct Conversation;
    void nouvelleConversation();
    void lit(QLocalSocket* socket);
    bool traiteUne(QLocalSocket* socket, Conversation& conversation);
    bool repond(QLocalSocket* socket, bool accepte);
    void ferme(QLocalSocket* socket);

    QString service_;
    QString sujet_;
    QString chemin_;
    QString erreur_;
    QLocalServer* serveur_ = nullptr;
    std::unordered_map<QLocalSocket*, std::unique_ptr<Conversation>> conversations_;
};

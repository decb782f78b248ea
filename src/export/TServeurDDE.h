#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

// The server side of a service's topic: takes conversations from this
// user's processes only, answers advise requests and execute requests, on
// the user-interface thread between other events.
class TServeurDDE : public QObject {
    Q_OBJECT

public:
    TServeurDDE(QString service, QString sujet, QObject* parent = nullptr);
    ~TServeurDDE() override;

    // Starts listening; false with the reason in erreur() (another process
    // already serves this name, or the channel's folder cannot be made).
    bool ecoute();
    QString erreur() const { return erreur_; }
    QString chemin() const { return chemin_; }

    // Whether an advise link on the item is granted (refused when absent).
    std::function<bool(const QString& item)> surAvis;
    // What an execute request carries, without its final NUL: true when it
    // is accepted (accepted when absent).
    std::function<bool(const QByteArray& donnees)> surExecute;
    // Reads requests but never answers them (an analysis program that hangs).
    bool muet = false;

private:
    void nouvelleConversation();
    void lit(QLocalSocket* socket);
    bool traiteUne(QLocalSocket* socket);
    void repond(QLocalSocket* socket, bool accepte);

    QString service_;
    QString sujet_;
    QString chemin_;
    QString erreur_;
    QLocalServer* serveur_ = nullptr;
};

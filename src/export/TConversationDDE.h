#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QLocalSocket;

// The client side of one conversation with a service's topic: connect, ask
// for an advise link on an item, send execute requests, close. Nothing waits
// on the user: the only wait, for the answer to the advise request, keeps
// the windows painting but takes no user input.
class TConversationDDE {
public:
    TConversationDDE();
    ~TConversationDDE();
    TConversationDDE(const TConversationDDE&) = delete;
    TConversationDDE& operator=(const TConversationDDE&) = delete;

    // Connects at once; false when no server of this user answers there.
    bool connecte(const QString& service, const QString& sujet);
    bool ouverte() const;
    // Asks for an advise link on the item and waits at most delaiMs for the
    // answer; false when it is refused or does not come (the conversation
    // stays open all the same).
    bool demandeAvis(const QString& item, int delaiMs);
    // Sends the data followed by a NUL as an execute request, without
    // waiting for its outcome; false when it cannot be sent.
    bool execute(const QByteArray& donnees);
    // Ends the conversation, and with it any advise link.
    void ferme();

private:
    std::unique_ptr<QLocalSocket> socket_;
};

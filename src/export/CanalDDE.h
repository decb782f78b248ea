#pragma once

#include <QByteArray>
#include <QString>

class QLocalSocket;

// The command channel that stands in for DDE between Lumko and the analysis
// program: one local socket per service and topic, in a folder that only
// this user can enter. The protocol is written down in docs/EXCHANGE.md.
namespace canal {

inline const QByteArray advstart = QByteArrayLiteral("ADVSTART");
inline const QByteArray execute = QByteArrayLiteral("EXECUTE");
inline const QByteArray ack = QByteArrayLiteral("ACK");
inline const QByteArray nack = QByteArrayLiteral("NACK");
// No request line is longer, its end (LF, or CR LF) not counted; no execute
// request carries more.
constexpr qsizetype longueurMaxLigne = 1024;
constexpr qsizetype longueurMaxDonnees = 1 << 20;
// What a server allows: conversations at a time (a further one is closed at
// once), how long a conversation may stay silent before it is closed, what
// it reads from the socket at a time, and how many answers may wait for a
// client that does not read them.
constexpr int maxConversations = 8;
constexpr int delaiInactiviteMs = 5000;
constexpr qsizetype tailleLecture = 64 * 1024;
constexpr qsizetype tailleMaxReponses = 64 * 1024;

// <Lumko's private folder>/dde (see dossierLumko), created private when
// needed; empty when it cannot be.
QString dossier();
// The socket of a service's topic: <dossier>/<service>.<topic>. Names are
// compared as they are written, so "TABRELIX" and "Tabrelix" differ.
QString chemin(const QString& service, const QString& sujet);
// A service or topic name that can be part of a file name.
bool nomValide(const QString& nom);

// The socket file belongs to this user (it may not exist yet).
bool cheminDeConfiance(const QString& chemin);
// The process at the other end of a connected socket is this user's.
bool pairDeConfiance(const QLocalSocket& socket);

} // namespace canal

// The channel's server keeps within its limits whatever its clients do: a
// few conversations at a time, none silent for long, no request line longer
// than the protocol allows, nothing read without bound. And the name lock.
#include "Attente.h"
#include "common/DossierExecution.h"
#include "export/CanalDDE.h"
#include "export/TConversationDDE.h"
#include "export/TServeurDDE.h"
#include "export/TVerrouNomme.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace {

// A server on a runtime folder of the test's own; it grants every advise
// request and counts what it is asked.
class Canal : public ::testing::Test {
protected:
    void SetUp() override
    {
        ancienRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        serveur_.surAvis = [this](const QString&) {
            ++avis_;
            return true;
        };
        serveur_.surExecute = [this](const QByteArray& donnees) {
            executes_.push_back(donnees);
            return true;
        };
    }

    void TearDown() override { qputenv("XDG_RUNTIME_DIR", ancienRuntime_); }

    std::unique_ptr<QLocalSocket> client()
    {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(serveur_.chemin());
        EXPECT_TRUE(socket->waitForConnected(1000));
        return socket;
    }

    static bool ferme(const QLocalSocket& socket) { return socket.state() == QLocalSocket::UnconnectedState; }

    // The answer to the request, or empty when the server closed instead.
    static QByteArray reponse(QLocalSocket& socket)
    {
        attendQue([&] { return socket.canReadLine() || ferme(socket); }, 3000);
        return socket.canReadLine() ? socket.readLine() : QByteArray();
    }

    QTemporaryDir runtime_;
    QByteArray ancienRuntime_;
    TServeurDDE serveur_{QStringLiteral("ESSAI"), QStringLiteral("ServeurDDE")};
    int avis_ = 0;
    std::vector<QByteArray> executes_;
};

} // namespace

// A request line holds at most 1024 bytes, its end (LF or CR LF) not
// counted; one byte more closes the conversation without an answer.
TEST_F(Canal, LigneDe1024OctetsAuPlus)
{
    ASSERT_TRUE(serveur_.ecoute()) << serveur_.erreur().toStdString();
    struct Cas {
        qsizetype longueur;
        QByteArray fin;
        bool repondue;
    };
    for (const Cas& c : {Cas{1024, "\n", true}, Cas{1025, "\n", false}, Cas{1024, "\r\n", true},
                         Cas{1025, "\r\n", false}}) {
        SCOPED_TRACE(std::to_string(c.longueur) + (c.fin.size() == 2 ? " CR LF" : " LF"));
        avis_ = 0;
        const QByteArray ligne = canal::advstart + ' ' + QByteArray(c.longueur - canal::advstart.size() - 1, 'x');
        ASSERT_EQ(ligne.size(), c.longueur);
        auto socket = client();
        socket->write(ligne + c.fin);
        EXPECT_EQ(reponse(*socket), c.repondue ? QByteArray("ACK\n") : QByteArray());
        EXPECT_EQ(avis_, c.repondue ? 1 : 0);
        EXPECT_EQ(ferme(*socket), !c.repondue);
    }
}

// A line that never ends is not read to its end: the conversation is
// closed once it is longer than any request can be.
TEST_F(Canal, UneLigneSansFinFermeLaConversation)
{
    ASSERT_TRUE(serveur_.ecoute()) << serveur_.erreur().toStdString();
    auto socket = client();
    const QByteArray morceau(4096, 'x');
    qsizetype envoyes = 0;
    QElapsedTimer chrono;
    chrono.start();
    while (!ferme(*socket) && chrono.elapsed() < 5000) {
        if (socket->bytesToWrite() < 4 * morceau.size()) envoyes += socket->write(morceau);
        laissePasser(1);
    }
    EXPECT_TRUE(ferme(*socket)) << envoyes << " octets envoyés";
    EXPECT_EQ(avis_, 0);
    EXPECT_EQ(serveur_.conversations(), 0);
}

// An execute request of the largest length is read whole, a piece at a
// time, and the conversation goes on after it.
TEST_F(Canal, LaPlusGrandeRequeteArriveEntiere)
{
    ASSERT_TRUE(serveur_.ecoute()) << serveur_.erreur().toStdString();
    auto socket = client();
    QByteArray donnees(canal::longueurMaxDonnees - 1, 'd');
    donnees[0] = 'D';
    socket->write(canal::execute + ' ' + QByteArray::number(canal::longueurMaxDonnees) + '\n' + donnees + '\0');
    EXPECT_EQ(reponse(*socket), QByteArray("ACK\n"));
    ASSERT_EQ(executes_.size(), 1U);
    EXPECT_EQ(executes_[0], donnees);

    socket->write(canal::execute + ' ' + QByteArray::number(canal::longueurMaxDonnees + 1) + '\n');
    EXPECT_EQ(reponse(*socket), QByteArray()) << "one byte too many";
    EXPECT_TRUE(ferme(*socket));
}

// A flood of silent clients: the server takes a handful, closes the others
// at once, drops the silent ones after its delay; a client that talks is
// served all along.
TEST_F(Canal, UnAfflux)
{
    serveur_.delaiInactiviteMs = 400;
    ASSERT_TRUE(serveur_.ecoute()) << serveur_.erreur().toStdString();
    const int surplus = 3;
    QElapsedTimer chrono;
    chrono.start();
    std::vector<std::unique_ptr<QLocalSocket>> muets;
    for (int i = 0; i < canal::maxConversations + surplus; ++i) muets.push_back(client());
    const auto fermes = [&] {
        return std::count_if(muets.begin(), muets.end(), [](const auto& s) { return ferme(*s); });
    };
    EXPECT_TRUE(attendQue([&] { return fermes() == surplus; }, 300)) << fermes();
    EXPECT_EQ(serveur_.conversations(), canal::maxConversations);

    // The silent ones go after the delay (a coarse timer may be 5 % early);
    // the place is free again.
    ASSERT_TRUE(attendQue([&] { return serveur_.conversations() == 0; }, 5000));
    EXPECT_GE(chrono.elapsed(), 370);
    EXPECT_TRUE(attendQue([&] { return fermes() == qsizetype(muets.size()); }, 1000));

    // A conversation that talks outlives the delay many times over.
    auto bavard = client();
    for (int i = 0; i < 8; ++i) {
        laissePasser(150);
        bavard->write(canal::advstart + " ServeurItem\n");
        EXPECT_EQ(reponse(*bavard), QByteArray("ACK\n")) << i;
    }
    EXPECT_FALSE(ferme(*bavard));

    // And Lumko's own client gets through.
    TConversationDDE conversation;
    ASSERT_TRUE(conversation.connecte(QStringLiteral("ESSAI"), QStringLiteral("ServeurDDE")));
    EXPECT_TRUE(conversation.demandeAvis(QStringLiteral("ServeurItem"), 1000));
    EXPECT_TRUE(conversation.execute("CLIP|ADD"));
    EXPECT_TRUE(attendQue([&] { return executes_.size() == 1; }, 2000));
}

// A client that asks and never reads its answers does not make the server
// keep them without bound.
TEST_F(Canal, UnClientQuiNeLitPas)
{
    ASSERT_TRUE(serveur_.ecoute()) << serveur_.erreur().toStdString();
    auto socket = client();
    socket->setReadBufferSize(1);
    ASSERT_TRUE(attendQue([&] { return serveur_.conversations() == 1; }, 2000));
    qsizetype envoyes = 0;
    const QByteArray demandes = QByteArray(canal::advstart + " ServeurItem\n").repeated(1000);
    QElapsedTimer chrono;
    chrono.start();
    while (serveur_.conversations() > 0 && chrono.elapsed() < 10000) {
        if (socket->bytesToWrite() < demandes.size()) envoyes += socket->write(demandes);
        laissePasser(1);
    }
    EXPECT_EQ(serveur_.conversations(), 0);
    // Each answer is 4 bytes for a request of 21: the server kept at most
    // its limit beyond what the system itself holds.
    EXPECT_GT(envoyes / demandes.size() * 1000 * 4, canal::tailleMaxReponses);
}

// Something that is not this user's socket in the server's place is
// neither replaced nor followed.
TEST_F(Canal, UnLienALaPlaceDuSocket)
{
    const QString cible = runtime_.filePath(QStringLiteral("cible"));
    const QString chemin = canal::chemin(QStringLiteral("ESSAI"), QStringLiteral("ServeurDDE"));
    ASSERT_FALSE(chemin.isEmpty());
    ASSERT_TRUE(QFile::link(cible, chemin));
    EXPECT_FALSE(serveur_.ecoute());
    EXPECT_FALSE(serveur_.erreur().isEmpty());
    EXPECT_TRUE(QFileInfo(chemin).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(cible));
    TConversationDDE conversation;
    EXPECT_FALSE(conversation.connecte(QStringLiteral("ESSAI"), QStringLiteral("ServeurDDE")));
}

// The name lock: free, then ours; held elsewhere; impossible, once.
TEST(VerrouNomme, LibreTenuOuImpossible)
{
    QTemporaryDir dossier;
    TVerrouNomme nom(QStringLiteral("Tabrelix"), dossier.path());
    EXPECT_EQ(nom.chemin(), dossier.path() + QStringLiteral("/Tabrelix.lock"));
    EXPECT_FALSE(nom.existeDeja());
    EXPECT_TRUE(nom.tenu());
    EXPECT_TRUE(nom.existeDeja());
    EXPECT_TRUE(nom.echec().isEmpty());

    TVerrouNomme autre(QStringLiteral("Tabrelix"), dossier.path());
    EXPECT_TRUE(autre.existeDeja());
    EXPECT_FALSE(autre.tenu());
    EXPECT_TRUE(autre.echec().isEmpty()) << "held elsewhere is no failure";

    const QString cible = dossier.filePath(QStringLiteral("cible"));
    ASSERT_TRUE(QFile::link(cible, dossier.filePath(QStringLiteral("Lien.lock"))));
    TVerrouNomme lien(QStringLiteral("Lien"), dossier.path());
    EXPECT_FALSE(lien.existeDeja()) << "free, the first time";
    EXPECT_FALSE(lien.echec().isEmpty());
    EXPECT_TRUE(lien.existeDeja()) << "taken, from then on";
    EXPECT_FALSE(lien.tenu());
    EXPECT_FALSE(QFileInfo::exists(cible));
}

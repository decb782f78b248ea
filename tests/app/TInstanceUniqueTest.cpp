#include "app/TInstanceUnique.h"

#include "Attente.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

namespace {

using Demarrage = TInstanceUnique::Demarrage;

class TInstanceUniqueTest : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    QString runtime() const { return dossier.path(); }
};

// The lock as a copy that is still starting holds it: taken, with nothing
// listening yet.
int prendVerrouDe(const TInstanceUnique& garde)
{
    const int fd = ::open(QFile::encodeName(garde.cheminVerrou()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    return fd;
}

} // namespace

TEST_F(TInstanceUniqueTest, SansDossierLeProgrammeDemarreSeul)
{
    TInstanceUnique garde(QString(), QStringLiteral("Lumko"));
    EXPECT_EQ(garde.demarre(), Demarrage::seule);
    EXPECT_FALSE(garde.verrouille());
    EXPECT_FALSE(garde.enEcoute());

    // Nor does a folder where the lock cannot be created stop anything.
    TInstanceUnique ailleurs(dossier.filePath(QStringLiteral("absent")), QStringLiteral("Lumko"));
    EXPECT_EQ(ailleurs.demarre(), Demarrage::seule);
    EXPECT_FALSE(ailleurs.verrouille());
    EXPECT_FALSE(ailleurs.enEcoute());
}

// A link in place of the lock is not followed: the copy runs without the
// lock, and nothing is made where the link leads. A link in place of the
// socket is not replaced: the copy holds the lock but does not listen.
TEST_F(TInstanceUniqueTest, UnLienNEstPasSuivi)
{
    const QString cible = dossier.filePath(QStringLiteral("cible"));
    TInstanceUnique parVerrou(runtime(), QStringLiteral("Lumko"));
    ASSERT_TRUE(QFile::link(cible, parVerrou.cheminVerrou()));
    EXPECT_EQ(parVerrou.demarre(), Demarrage::seule);
    EXPECT_FALSE(parVerrou.verrouille());
    EXPECT_FALSE(QFileInfo::exists(cible));

    TInstanceUnique parSocket(runtime(), QStringLiteral("Autre"));
    ASSERT_TRUE(QFile::link(cible, parSocket.cheminSocket()));
    EXPECT_EQ(parSocket.demarre(), Demarrage::seule);
    EXPECT_TRUE(parSocket.verrouille());
    EXPECT_FALSE(parSocket.enEcoute());
    EXPECT_FALSE(QFileInfo::exists(cible));
    EXPECT_TRUE(QFileInfo(parSocket.cheminSocket()).isSymLink());
}

// The lock and the socket carry the title: a copy renamed on disk has its own.
TEST_F(TInstanceUniqueTest, LaPremiereCopieTientLeVerrouEtEcouteAussitot)
{
    TInstanceUnique garde(runtime(), QStringLiteral("Lumko"));
    EXPECT_EQ(garde.cheminVerrou(), runtime() + QStringLiteral("/Lumko.lock"));
    EXPECT_EQ(garde.cheminSocket(), runtime() + QStringLiteral("/Lumko.socket"));

    // A socket left behind by a copy that is gone does not stand in the way.
    QFile reste(garde.cheminSocket());
    ASSERT_TRUE(reste.open(QIODevice::WriteOnly));
    reste.close();
    EXPECT_EQ(garde.demarre(), Demarrage::seule);
    EXPECT_TRUE(garde.verrouille());
    EXPECT_TRUE(garde.enEcoute());

    QLocalSocket client;
    client.connectToServer(garde.cheminSocket());
    EXPECT_TRUE(client.waitForConnected(1000));

    TInstanceUnique renommee(runtime(), QStringLiteral("Lumko-copie"));
    EXPECT_EQ(renommee.demarre(), Demarrage::seule);
    EXPECT_TRUE(renommee.verrouille());
    EXPECT_TRUE(renommee.enEcoute());
}

// While a live copy holds the lock, a start never runs: it ends once its
// waiting time is over if nobody answered, whether the holder has no socket
// yet or does not serve it.
TEST_F(TInstanceUniqueTest, UnDetenteurQuiNeRepondPasNeLaissePasDemarrer)
{
    enum class Detenteur { SansSocket, Bloque };
    for (const Detenteur cas : {Detenteur::SansSocket, Detenteur::Bloque}) {
        SCOPED_TRACE(int(cas));
        QTemporaryDir dossierCas;
        TInstanceUnique premiere(dossierCas.path(), QStringLiteral("Lumko"));
        int fd = -1;
        // Blocked: it listens, but its event loop does not run while the
        // second start waits.
        if (cas == Detenteur::SansSocket) {
            fd = prendVerrouDe(premiere);
        } else {
            ASSERT_EQ(premiere.demarre(), Demarrage::seule);
        }

        TInstanceUnique seconde(dossierCas.path(), QStringLiteral("Lumko"));
        seconde.delaiMs = 300;
        EXPECT_EQ(seconde.demarre(), Demarrage::sansReponse);
        EXPECT_FALSE(seconde.verrouille());
        EXPECT_FALSE(seconde.enEcoute());
        if (fd >= 0) ::close(fd);
    }
    EXPECT_FALSE(TInstanceUnique::texteSansReponse(QStringLiteral("Lumko")).isEmpty());
}

// The holder dies before it could answer: the waiting start takes its place.
TEST_F(TInstanceUniqueTest, UnDetenteurQuiDisparaitCedeSaPlace)
{
    TInstanceUnique premiere(runtime(), QStringLiteral("Lumko"));
    const int fd = prendVerrouDe(premiere);
    std::thread fin([fd] {
        QThread::msleep(200);
        ::close(fd);
    });
    TInstanceUnique seconde(runtime(), QStringLiteral("Lumko"));
    EXPECT_EQ(seconde.demarre(), Demarrage::seule);
    fin.join();
    EXPECT_TRUE(seconde.verrouille());
    EXPECT_TRUE(seconde.enEcoute());
}

TEST_F(TInstanceUniqueTest, UnePremiereCopieDisparueNeBloquePas)
{
    auto premiere = std::make_unique<TInstanceUnique>(runtime(), QStringLiteral("Lumko"));
    ASSERT_EQ(premiere->demarre(), Demarrage::seule);
    ASSERT_TRUE(premiere->verrouille());
    premiere.reset();

    TInstanceUnique suivante(runtime(), QStringLiteral("Lumko"));
    EXPECT_EQ(suivante.demarre(), Demarrage::seule);
    EXPECT_TRUE(suivante.verrouille());
}

// A request that comes while the windows are being built is answered (they
// are about to show); once they exist, each one brings them forward.
TEST_F(TInstanceUniqueTest, ChaqueDemandeEstAcquittee)
{
    TInstanceUnique garde(runtime(), QStringLiteral("Lumko"));
    ASSERT_EQ(garde.demarre(), Demarrage::seule);
    int restaurations = 0;
    for (const int attendues : {0, 1}) {
        SCOPED_TRACE(attendues);
        if (attendues > 0) garde.surRestauration([&restaurations] { ++restaurations; });
        QLocalSocket client;
        client.connectToServer(garde.cheminSocket());
        ASSERT_TRUE(client.waitForConnected(1000));
        client.write("RESTAURE\n");
        EXPECT_TRUE(attendQue([&client] { return client.canReadLine(); }));
        EXPECT_EQ(client.readLine(), QByteArray("OK\n"));
        EXPECT_EQ(restaurations, attendues);
    }
}

TEST_F(TInstanceUniqueTest, UnClientEtrangerEstCongedie)
{
    TInstanceUnique garde(runtime(), QStringLiteral("Lumko"));
    ASSERT_EQ(garde.demarre(), Demarrage::seule);
    int restaurations = 0;
    garde.surRestauration([&restaurations] { ++restaurations; });

    for (const QByteArray& envoi : {QByteArrayLiteral("BONJOUR\n"), QByteArray(200, 'x')}) {
        QLocalSocket client;
        client.connectToServer(garde.cheminSocket());
        ASSERT_TRUE(client.waitForConnected(1000));
        client.write(envoi);
        ASSERT_TRUE(client.waitForBytesWritten(1000));
        EXPECT_TRUE(attendQue(
            [&client] { return client.state() == QLocalSocket::UnconnectedState; }, 2000));
        EXPECT_EQ(client.readAll(), QByteArray());
    }
    EXPECT_EQ(restaurations, 0);
}

#include "app/TInstanceUnique.h"

#include "Attente.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QFile::Permissions prive()
{
    return QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
         | QFile::WriteUser | QFile::ExeUser;
}

class TInstanceUniqueTest : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    QString runtime() const { return dossier.path(); }
};

} // namespace

TEST_F(TInstanceUniqueTest, DossierDExecution)
{
    const QString temp = dossier.filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(temp));
    const QString xdg = dossier.filePath(QStringLiteral("run"));
    ASSERT_TRUE(QDir().mkpath(xdg));
    const QString personnel = temp + QStringLiteral("/lumko-") + QString::number(::getuid());

    EXPECT_EQ(TInstanceUnique::dossierExecution(xdg, temp), xdg);
    for (const QString& inutilisable :
         {QString(), QStringLiteral("run/user"), dossier.filePath(QStringLiteral("absent"))}) {
        SCOPED_TRACE(inutilisable.toStdString());
        EXPECT_EQ(TInstanceUnique::dossierExecution(inutilisable, temp), personnel);
        EXPECT_EQ(QFile::permissions(personnel) & 0x7777, prive());
    }

    // An existing folder of ours is closed to others again.
    ASSERT_EQ(::chmod(QFile::encodeName(personnel).constData(), 0755), 0);
    EXPECT_EQ(TInstanceUnique::dossierExecution(QString(), temp), personnel);
    EXPECT_EQ(QFile::permissions(personnel) & 0x7777, prive());
}

TEST_F(TInstanceUniqueTest, DossierPersonnelDetourneRefuse)
{
    const QString personnel = QStringLiteral("/lumko-") + QString::number(::getuid());
    const QString avecFichier = dossier.filePath(QStringLiteral("fichier"));
    const QString avecLien = dossier.filePath(QStringLiteral("lien"));
    ASSERT_TRUE(QDir().mkpath(avecFichier));
    ASSERT_TRUE(QDir().mkpath(avecLien));
    QFile fichier(avecFichier + personnel);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.close();
    ASSERT_TRUE(QFile::link(dossier.path(), avecLien + personnel));

    for (const QString& temp : {avecFichier, avecLien})
        EXPECT_TRUE(TInstanceUnique::dossierExecution(QString(), temp).isEmpty())
            << temp.toStdString();
}

TEST_F(TInstanceUniqueTest, SansDossierLeProgrammeDemarreSeul)
{
    TInstanceUnique garde(QString(), QStringLiteral("Lumko"));
    EXPECT_FALSE(garde.autreCopieRestauree());
    EXPECT_FALSE(garde.verrouille());
    garde.ecoute([] {});
    EXPECT_FALSE(garde.ecoute());

    // Nor does a folder where the lock cannot be created stop anything.
    TInstanceUnique ailleurs(dossier.filePath(QStringLiteral("absent")), QStringLiteral("Lumko"));
    EXPECT_FALSE(ailleurs.autreCopieRestauree());
    EXPECT_FALSE(ailleurs.verrouille());
}

TEST_F(TInstanceUniqueTest, LaPremiereCopieTientLeVerrouEtEcoute)
{
    TInstanceUnique garde(runtime(), QStringLiteral("Lumko"));
    EXPECT_EQ(garde.cheminVerrou(), runtime() + QStringLiteral("/LUMKO.lock"));
    EXPECT_EQ(garde.cheminSocket(), runtime() + QStringLiteral("/Lumko.socket"));
    EXPECT_FALSE(garde.autreCopieRestauree());
    EXPECT_TRUE(garde.verrouille());
    EXPECT_FALSE(QFileInfo::exists(garde.cheminSocket()));

    // A socket left behind by a copy that is gone does not stand in the way.
    QFile reste(garde.cheminSocket());
    ASSERT_TRUE(reste.open(QIODevice::WriteOnly));
    reste.close();
    garde.ecoute([] {});
    EXPECT_TRUE(garde.ecoute());

    QLocalSocket client;
    client.connectToServer(garde.cheminSocket());
    EXPECT_TRUE(client.waitForConnected(1000));
}

TEST_F(TInstanceUniqueTest, UneCopieQuiNeRepondPasLaisseDemarrer)
{
    // The copies below hold the lock; none of them answers the second start,
    // which must then start normally, within its waiting time.
    enum class Premiere { Muette, AutreTitre, Bloquee };
    for (const Premiere cas : {Premiere::Muette, Premiere::AutreTitre, Premiere::Bloquee}) {
        SCOPED_TRACE(int(cas));
        QTemporaryDir dossierCas;
        int restaurations = 0;
        TInstanceUnique premiere(dossierCas.path(),
                                 cas == Premiere::AutreTitre ? QStringLiteral("Lumko-copie")
                                                             : QStringLiteral("Lumko"));
        ASSERT_FALSE(premiere.autreCopieRestauree());
        // Blocked: it listens, but its event loop does not run while the
        // second start waits.
        if (cas != Premiere::Muette) premiere.ecoute([&restaurations] { ++restaurations; });

        TInstanceUnique seconde(dossierCas.path(), QStringLiteral("Lumko"));
        seconde.delaiMs = 200;
        QElapsedTimer chrono;
        chrono.start();
        EXPECT_FALSE(seconde.autreCopieRestauree());
        EXPECT_LT(chrono.elapsed(), 1000);
        EXPECT_FALSE(seconde.verrouille());
        seconde.ecoute([] {});
        EXPECT_TRUE(seconde.ecoute());
        QCoreApplication::processEvents();
        EXPECT_EQ(restaurations, 0);
    }
}

TEST_F(TInstanceUniqueTest, UnePremiereCopieDisparueNeBloquePas)
{
    auto premiere = std::make_unique<TInstanceUnique>(runtime(), QStringLiteral("Lumko"));
    ASSERT_FALSE(premiere->autreCopieRestauree());
    ASSERT_TRUE(premiere->verrouille());
    premiere.reset();

    TInstanceUnique suivante(runtime(), QStringLiteral("Lumko"));
    EXPECT_FALSE(suivante.autreCopieRestauree());
    EXPECT_TRUE(suivante.verrouille());
}

TEST_F(TInstanceUniqueTest, UnClientEtrangerEstCongedie)
{
    TInstanceUnique garde(runtime(), QStringLiteral("Lumko"));
    ASSERT_FALSE(garde.autreCopieRestauree());
    int restaurations = 0;
    garde.ecoute([&restaurations] { ++restaurations; });

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

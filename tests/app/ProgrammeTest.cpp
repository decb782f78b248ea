// The program started for real, as a user or a session would start it.
#include "app/TInstanceUnique.h"

#include "Attente.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace {

#ifdef LUMKO_EXECUTABLE
const QString executable = QStringLiteral(LUMKO_EXECUTABLE);
#else
const QString executable;
#endif

class ProgrammeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (executable.isEmpty()) GTEST_SKIP() << "le programme lumko n'est pas construit";
        ASSERT_TRUE(runtime.isValid() && maison.isValid() && programmes.isValid());
    }

    // A copy of the program under another name or folder: its settings file
    // lands beside it, and its title follows its name.
    QString copie(const QString& nom) const
    {
        const QString chemin = programmes.filePath(nom);
        EXPECT_TRUE(QFile::copy(executable, chemin));
        return chemin;
    }

    std::unique_ptr<QProcess> lance(const QString& chemin) const
    {
        auto processus = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("HOME"), maison.path());
        env.remove(QStringLiteral("XDG_CONFIG_HOME"));
        env.remove(QStringLiteral("XDG_STATE_HOME"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        processus->setProcessEnvironment(env);
        processus->start(chemin, {});
        EXPECT_TRUE(processus->waitForStarted(5000));
        return processus;
    }

    QString socket(const QString& titre) const
    {
        return runtime.filePath(titre + QStringLiteral(".socket"));
    }

    static bool attendsFin(QProcess& processus)
    {
        return attendQue([&processus] { return processus.state() == QProcess::NotRunning; });
    }

    static std::string sortie(QProcess& processus)
    {
        return processus.readAllStandardError().toStdString();
    }

    static void finitNormalement(QProcess& processus)
    {
        ASSERT_TRUE(attendsFin(processus)) << sortie(processus);
        EXPECT_EQ(processus.exitStatus(), QProcess::NormalExit) << sortie(processus);
        EXPECT_EQ(processus.exitCode(), 0) << sortie(processus);
    }

    static void arrete(QProcess& processus)
    {
        processus.kill();
        attendsFin(processus);
    }

    QTemporaryDir runtime;
    QTemporaryDir maison;
    QTemporaryDir programmes;
};

// The first copy here is a guard in this process with a window of its own.
class PremiereCopieIci : public ProgrammeTest {
protected:
    void SetUp() override
    {
        ProgrammeTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_FALSE(premiere.autreCopieRestauree());
        fenetre.showMinimized();
        premiere.ecoute([this] {
            ++restaurations;
            fenetre.setWindowState(fenetre.windowState() & ~Qt::WindowMinimized);
        });
    }

    TInstanceUnique premiere{runtime.path(), QStringLiteral("Lumko")};
    QWidget fenetre;
    int restaurations = 0;
};

} // namespace

TEST_F(PremiereCopieIci, UnSecondDemarrageRestaureLaPremiereEtSeTermine)
{
    auto seconde = lance(executable);
    finitNormalement(*seconde);
    EXPECT_EQ(restaurations, 1);
    EXPECT_FALSE(fenetre.isMinimized());
}

TEST_F(PremiereCopieIci, UneCopieRenommeeDemarreACoteDeLaPremiere)
{
    auto renommee = lance(copie(QStringLiteral("lumko-copie")));
    const QString sienne = socket(QStringLiteral("Lumko-copie"));
    EXPECT_TRUE(attendQue([&] {
        return QFileInfo::exists(sienne) || renommee->state() == QProcess::NotRunning;
    })) << sortie(*renommee);
    EXPECT_EQ(renommee->state(), QProcess::Running) << sortie(*renommee);
    EXPECT_EQ(restaurations, 0);
    EXPECT_TRUE(fenetre.isMinimized());
    arrete(*renommee);
}

TEST_F(ProgrammeTest, DeuxProgrammesPuisArretParSignal)
{
    const QString chemin = copie(QStringLiteral("lumko"));
    const QString ini = programmes.filePath(QStringLiteral("lumko.ini"));
    auto premiere = lance(chemin);
    ASSERT_TRUE(attendQue([&] {
        return QFileInfo::exists(socket(QStringLiteral("Lumko")))
            || premiere->state() == QProcess::NotRunning;
    }));
    ASSERT_EQ(premiere->state(), QProcess::Running) << sortie(*premiere);

    auto seconde = lance(chemin);
    finitNormalement(*seconde);
    EXPECT_EQ(premiere->state(), QProcess::Running);
    EXPECT_FALSE(QFileInfo::exists(ini));

    premiere->terminate();
    finitNormalement(*premiere);
    EXPECT_TRUE(QFileInfo::exists(ini));
}

TEST_F(ProgrammeTest, ChaqueSignalDArretEcritLesReglages)
{
    const QString chemin = copie(QStringLiteral("lumko"));
    const QString ini = programmes.filePath(QStringLiteral("lumko.ini"));
    for (const int signal : {SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QFile::remove(ini);
        auto programme = lance(chemin);
        ASSERT_TRUE(attendQue([&] {
            return QFileInfo::exists(socket(QStringLiteral("Lumko")))
                || programme->state() == QProcess::NotRunning;
        }));
        ASSERT_EQ(::kill(pid_t(programme->processId()), signal), 0);
        finitNormalement(*programme);
        EXPECT_TRUE(QFileInfo::exists(ini));
        QFile::remove(socket(QStringLiteral("Lumko")));
    }
}

TEST_F(ProgrammeTest, UnePremiereCopieTueeNeBloquePasLaSuivante)
{
    auto premiere = lance(copie(QStringLiteral("lumko")));
    ASSERT_TRUE(attendQue([&] {
        return QFileInfo::exists(socket(QStringLiteral("Lumko")))
            || premiere->state() == QProcess::NotRunning;
    }));
    ASSERT_EQ(premiere->state(), QProcess::Running) << sortie(*premiere);
    arrete(*premiere);

    // Its socket is left behind; the lock went with the process.
    TInstanceUnique suivante(runtime.path(), QStringLiteral("Lumko"));
    EXPECT_FALSE(suivante.autreCopieRestauree());
    EXPECT_TRUE(suivante.verrouille());
    suivante.ecoute([] {});
    EXPECT_TRUE(suivante.ecoute());
}

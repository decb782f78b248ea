// The program started for real, as a user or a session would start it.
#include "app/TInstanceUnique.h"
#include "app/TRecuperation.h"
#include "common/DossierExecution.h"
#include "common/TJournalMesures.h"

#include "Attente.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/stat.h>

namespace {

#ifdef LUMKO_EXECUTABLE
const QString executable = QStringLiteral(LUMKO_EXECUTABLE);
#else
const QString executable;
#endif

// Whether the process holds a flock on the file, as the kernel lists it:
// looking there takes no lock, so it cannot disturb the process.
bool tientLeVerrou(qint64 pid, const QString& chemin)
{
    struct stat etat {};
    if (::stat(QFile::encodeName(chemin).constData(), &etat) != 0) return false;
    QFile verrous(QStringLiteral("/proc/locks"));
    if (!verrous.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    const QByteArray inode = ':' + QByteArray::number(quint64(etat.st_ino));
    for (const QByteArray& ligne : verrous.readAll().split('\n')) {
        const QList<QByteArray> champs = ligne.simplified().split(' ');
        if (champs.size() > 5 && champs[1] == "FLOCK" && champs[4] == QByteArray::number(pid)
            && champs[5].endsWith(inode))
            return true;
    }
    return false;
}

// A restore request answered: the program's event loop runs.
bool repond(const QString& socket)
{
    QLocalSocket client;
    client.connectToServer(socket);
    if (!client.waitForConnected(200)) return false;
    client.write("RESTAURE\n");
    return client.waitForReadyRead(2000) && client.readLine() == "OK\n";
}

QByteArray contenuDe(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ProgrammeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (executable.isEmpty()) GTEST_SKIP() << "le programme lumko n'est pas construit";
        ASSERT_TRUE(runtime.isValid() && maison.isValid() && programmes.isValid() && etat.isValid());
    }

    // A copy of the program under another name or folder: its settings file
    // lands beside it, and its title follows its name.
    QString copie(const QString& nom) const
    {
        const QString chemin = programmes.filePath(nom);
        EXPECT_TRUE(QFile::copy(executable, chemin));
        return chemin;
    }

    // Not started yet; etatXdg, when given, becomes $XDG_STATE_HOME.
    std::unique_ptr<QProcess> prepare(const QString& chemin, const QString& etatXdg = {}) const
    {
        auto processus = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("HOME"), maison.path());
        env.remove(QStringLiteral("XDG_CONFIG_HOME"));
        env.remove(QStringLiteral("XDG_STATE_HOME"));
        if (!etatXdg.isEmpty()) env.insert(QStringLiteral("XDG_STATE_HOME"), etatXdg);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        processus->setProcessEnvironment(env);
        processus->setProgram(chemin);
        return processus;
    }

    std::unique_ptr<QProcess> lance(const QString& chemin, const QString& etatXdg = {}) const
    {
        auto processus = prepare(chemin, etatXdg);
        processus->start();
        EXPECT_TRUE(processus->waitForStarted(5000));
        return processus;
    }

    QString socket(const QString& titre) const
    {
        return lumko() + u'/' + titre + QStringLiteral(".socket");
    }

    // Up and serving, or ended.
    bool attendsPret(QProcess& processus, const QString& titre) const
    {
        return attendQue([&] { return processus.state() == QProcess::NotRunning || repond(socket(titre)); });
    }

    static bool attendsFin(QProcess& processus, int delaiMaxMs = 10000)
    {
        return attendQue([&processus] { return processus.state() == QProcess::NotRunning; }, delaiMaxMs);
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

    // Lumko's folder in the runtime folder, where the locks and sockets are.
    QString lumko() const { return dossierLumko(runtime.path(), QString()); }

    QTemporaryDir runtime;
    QTemporaryDir maison;
    QTemporaryDir programmes;
    QTemporaryDir etat;
};

// The first copy here is a guard in this process with a window of its own.
class PremiereCopieIci : public ProgrammeTest {
protected:
    void SetUp() override
    {
        ProgrammeTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_EQ(premiere.demarre(), TInstanceUnique::Demarrage::seule);
        fenetre.showMinimized();
        premiere.surRestauration([this] {
            ++restaurations;
            fenetre.setWindowState(fenetre.windowState() & ~Qt::WindowMinimized);
        });
    }

    TInstanceUnique premiere{lumko(), QStringLiteral("Lumko")};
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
    EXPECT_TRUE(attendsPret(*renommee, QStringLiteral("Lumko-copie")));
    EXPECT_EQ(renommee->state(), QProcess::Running) << sortie(*renommee);
    EXPECT_EQ(restaurations, 0);
    EXPECT_TRUE(fenetre.isMinimized());
    arrete(*renommee);
}

// Two starts at the same instant, again and again: one copy runs, the other
// brings it forward and ends with code 0, whichever of them got the lock.
TEST_F(ProgrammeTest, DeuxDemarragesSimultanesNeLaissentQuUneCopie)
{
    const QString chemin = copie(QStringLiteral("lumko"));
    for (int paire = 0; paire < 24; ++paire) {
        SCOPED_TRACE(paire);
        auto a = prepare(chemin);
        auto b = prepare(chemin);
        a->start();
        b->start();
        ASSERT_TRUE(a->waitForStarted(5000) && b->waitForStarted(5000));
        ASSERT_TRUE(attendQue(
            [&] { return a->state() == QProcess::NotRunning || b->state() == QProcess::NotRunning; }, 30000))
            << "deux copies tournent";
        QProcess& seconde = a->state() == QProcess::NotRunning ? *a : *b;
        QProcess& premiere = &seconde == a.get() ? *b : *a;
        EXPECT_EQ(seconde.exitStatus(), QProcess::NormalExit) << sortie(seconde);
        EXPECT_EQ(seconde.exitCode(), 0) << sortie(seconde);
        EXPECT_EQ(premiere.state(), QProcess::Running) << sortie(premiere);
        premiere.terminate();
        finitNormalement(premiere);
    }
}

TEST_F(ProgrammeTest, DeuxProgrammesPuisArretParSignal)
{
    const QString chemin = copie(QStringLiteral("lumko"));
    const QString ini = programmes.filePath(QStringLiteral("lumko.ini"));
    auto premiere = lance(chemin);
    ASSERT_TRUE(attendsPret(*premiere, QStringLiteral("Lumko")));
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
        ASSERT_TRUE(attendsPret(*programme, QStringLiteral("Lumko")));
        ASSERT_EQ(::kill(pid_t(programme->processId()), signal), 0);
        finitNormalement(*programme);
        EXPECT_TRUE(QFileInfo::exists(ini));
    }
}

// An administrator's settings file beside the program, read-only (with its
// [Ports]): it is read, the end of the program writes the user's own file
// ($XDG_CONFIG_HOME/lumko/lumko.ini, or ~/.config/lumko/lumko.ini, its folder
// made), and at the next start the user's values win key by key.
TEST_F(ProgrammeTest, UnFichierEnLectureSeuleACoteDuProgrammeEtLeFichierPersonnel)
{
    const QString chemin = copie(QStringLiteral("lumko"));
    const QString commun = programmes.filePath(QStringLiteral("lumko.ini"));
    const QByteArray communAvant = "[Ports]\nCOM49=/dev/absent-lumko\n[Lambda]\nDebut=300\nFin=900\n[Vitesse]\nValeur=4\n";
    {
        QFile f(commun);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(communAvant);
    }
    ASSERT_TRUE(QFile::setPermissions(commun, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const struct {
        const char* nom;
        QString xdg;
        QString personnel;
    } cas[] = {
        {"~/.config", {}, maison.filePath(QStringLiteral(".config/lumko/lumko.ini"))},
        {"XDG_CONFIG_HOME", etat.filePath(QStringLiteral("config/sous")),
         etat.filePath(QStringLiteral("config/sous/lumko/lumko.ini"))},
    };
    const auto lanceEtArrete = [&](const QString& xdg) {
        auto programme = prepare(chemin);
        QProcessEnvironment env = programme->processEnvironment();
        if (!xdg.isEmpty()) env.insert(QStringLiteral("XDG_CONFIG_HOME"), xdg);
        programme->setProcessEnvironment(env);
        programme->start();
        ASSERT_TRUE(programme->waitForStarted(5000));
        ASSERT_TRUE(attendsPret(*programme, QStringLiteral("Lumko")));
        ASSERT_EQ(programme->state(), QProcess::Running) << sortie(*programme);
        programme->terminate();
        finitNormalement(*programme);
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        lanceEtArrete(c.xdg);
        const QString premier = QString::fromUtf8(contenuDe(c.personnel)).remove(u'\r');
        for (const char* ligne : {"Debut=300\n", "Fin=900\n", "Valeur=4\n"})
            EXPECT_TRUE(premier.contains(QLatin1String(ligne))) << ligne << premier.toStdString();
        EXPECT_FALSE(premier.contains(QStringLiteral("[Ports]"))) << premier.toStdString();
        EXPECT_EQ(contenuDe(commun), communAvant) << "the shared file is never written";

        // The user's value wins over the shared one; the shared one fills in the rest.
        QByteArray personnel = contenuDe(c.personnel);
        personnel.replace("Debut=300", "Debut=350");
        personnel.replace("Valeur=4\r\n", "");
        {
            QFile f(c.personnel);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(personnel);
        }
        lanceEtArrete(c.xdg);
        const QString second = QString::fromUtf8(contenuDe(c.personnel)).remove(u'\r');
        for (const char* ligne : {"Debut=350\n", "Fin=900\n", "Valeur=4\n"})
            EXPECT_TRUE(second.contains(QLatin1String(ligne))) << ligne << second.toStdString();
        EXPECT_EQ(contenuDe(commun), communAvant);
    }
}

TEST_F(ProgrammeTest, UnePremiereCopieTueeNeBloquePasLaSuivante)
{
    auto premiere = lance(copie(QStringLiteral("lumko")));
    ASSERT_TRUE(attendsPret(*premiere, QStringLiteral("Lumko")));
    ASSERT_EQ(premiere->state(), QProcess::Running) << sortie(*premiere);
    arrete(*premiere);

    // Its socket is left behind; the lock went with the process.
    TInstanceUnique suivante(lumko(), QStringLiteral("Lumko"));
    EXPECT_EQ(suivante.demarre(), TInstanceUnique::Demarrage::seule);
    EXPECT_TRUE(suivante.verrouille());
    EXPECT_TRUE(suivante.enEcoute());
}

// A stop signal (a logout, a script) while the start-up question is up ends
// the program without an answer: the journals stay for the next start. Each
// copy asks about its own journals only: a copy renamed on disk never about
// the program's.
TEST_F(ProgrammeTest, UnSignalPendantLaQuestionLaisseLesJournaux)
{
    const QString programme = etat.filePath(QStringLiteral("lumko"));
    const QString renomme = etat.filePath(QStringLiteral("lumko/Lumko-copie"));
    const struct {
        QString nom;
        QString etatXdg;
        QString sien;
        QString autre;
    } cas[] = {
        {QStringLiteral("lumko"), {}, maison.filePath(QStringLiteral(".local/state/lumko")), renomme},
        {QStringLiteral("lumko"), etat.path(), programme, renomme},
        {QStringLiteral("lumko-copie"), etat.path(), renomme, programme},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom.toStdString() + ' ' + c.sien.toStdString());
        QStringList journaux;
        QList<QByteArray> avant;
        for (const QString& dossier : {c.sien, c.autre}) {
            TJournalMesures journal(dossier, QStringLiteral("spectre"));
            ASSERT_TRUE(journal.commence({{QStringLiteral("fenetre"), QStringLiteral("spectre")}}));
            for (int k = 0; k < 20; ++k) journal.ajoutePoint(k, {600.0 - k, 0.5, 0.3});
            journaux << journal.chemin();
            avant << contenuDe(journal.chemin());
        }

        auto copieLancee = lance(copie(c.nom), c.etatXdg);
        const qint64 pid = copieLancee->processId();
        // The copy holds its journal while it asks.
        ASSERT_TRUE(attendQue([&] {
            return copieLancee->state() == QProcess::NotRunning || tientLeVerrou(pid, journaux[0]);
        })) << sortie(*copieLancee);
        ASSERT_EQ(copieLancee->state(), QProcess::Running) << sortie(*copieLancee);
        EXPECT_FALSE(tientLeVerrou(pid, journaux[1]));

        copieLancee->terminate();
        finitNormalement(*copieLancee);
        for (qsizetype k = 0; k < journaux.size(); ++k) {
            EXPECT_EQ(contenuDe(journaux[k]), avant[k]) << journaux[k].toStdString();
            EXPECT_TRUE(QDir(QFileInfo(journaux[k]).path())
                            .entryList({QStringLiteral("*") + TRecuperation::suffixeEcarte}, QDir::Files)
                            .isEmpty());
        }
        for (const QString& journal : journaux) QFile::remove(journal);
        QFile::remove(programmes.filePath(c.nom));
    }
}

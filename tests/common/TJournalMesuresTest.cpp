// The measurement journal: what is written comes back, a record cut short
// or damaged is left out without losing the others, a process killed in the
// middle of its run leaves every point it wrote, and a journal another
// process holds is left alone.
#include "common/TJournalMesures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

namespace {

// The helper program, journalling into dossier/nom until it is killed.
std::unique_ptr<QProcess> lanceEcrivain(const QString& dossier, const QString& nom, int points)
{
    auto ecrivain = std::make_unique<QProcess>();
    ecrivain->start(QStringLiteral(LUMKO_ESSAI_JOURNAL), {dossier, nom, QString::number(points)});
    EXPECT_TRUE(ecrivain->waitForStarted(5000));
    EXPECT_TRUE(ecrivain->waitForReadyRead(10000));
    EXPECT_EQ(ecrivain->readLine().trimmed(), "ecrit " + QByteArray::number(points));
    return ecrivain;
}

void tue(QProcess& ecrivain)
{
    ::kill(static_cast<pid_t>(ecrivain.processId()), SIGKILL);
    EXPECT_TRUE(ecrivain.waitForFinished(5000));
}

QByteArray contenuDe(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Journal : public ::testing::Test {
protected:
    QByteArray contenu() const { return contenuDe(journal_.chemin()); }
    QTemporaryDir dossier_;
    TJournalMesures journal_{dossier_.filePath(QStringLiteral("etat/lumko")), QStringLiteral("cinetique")};
};

TEST_F(Journal, CeQuiEstEcritRevient)
{
    ASSERT_TRUE(journal_.commence({{QStringLiteral("fenetre"), QStringLiteral("cinetique")},
                                   {QStringLiteral("pas"), QStringLiteral("2")}}));
    for (int k = 0; k < 5; ++k) journal_.ajoutePoint(k, {2.0 * k, 0.1 + 1.0 / 3.0 * k});
    journal_.ajouteRepere(4, QStringLiteral("ajout\tdu réactif\n\\fin"));
    const TCourbeJournal j = lisJournal(contenu());
    ASSERT_TRUE(j.valide);
    EXPECT_EQ(j.lignesIgnorees, 0);
    EXPECT_EQ(j.entete.value(QStringLiteral("pas")), QStringLiteral("2"));
    const TCourbeRejouee c = rejoue(j);
    ASSERT_EQ(c.nombre, 5);
    EXPECT_EQ(c.colonnes[0][4], 8.0);
    EXPECT_EQ(c.colonnes[1][4], 0.1 + 1.0 / 3.0 * 4) << "full precision";
    ASSERT_EQ(c.reperes.size(), 1U);
    EXPECT_EQ(c.reperes[0].texte, QStringLiteral("ajout\tdu réactif\n\\fin"));
    journal_.abandonne();
    EXPECT_FALSE(QFile::exists(journal_.chemin()));
}

// A record cut short by the crash goes; the damaged ones too; the rest stays.
TEST_F(Journal, UnJournalAbimeRendChaquePointComplet)
{
    QByteArray texte = "LUMKO-JOURNAL\t1\nen-tete\tfenetre\tspectre\n";
    for (int k = 0; k < 4; ++k) texte += "p\t" + QByteArray::number(k) + "\t" + QByteArray::number(500 + k) + "\t0.5\t0.3\n";
    texte += "p\t9999\t1\t2\t3\n";   // outside the vectors
    texte += "p\t4\tnan\t2\t3\n";    // not a number
    texte += "zzz\n\n";
    texte += "p\t4\t504\t0.5\t0.3\n";
    texte += "p\t5\t505\t0.5";       // cut short
    const TCourbeJournal j = lisJournal(texte);
    ASSERT_TRUE(j.valide);
    EXPECT_EQ(j.lignesIgnorees, 5);
    const TCourbeRejouee c = rejoue(j);
    EXPECT_EQ(c.nombre, 5);
    EXPECT_EQ(c.colonnes[0][4], 504.0);
    for (const QByteArray& rien : {QByteArray(), QByteArray("LUMKO"), QByteArray("\0\xff\n\n", 4),
                                   QByteArray("LUMKO-JOURNAL\t2\np\t0\t1\n")})
        EXPECT_FALSE(lisJournal(rien).valide);
}

// One point in two goes at a thinning, as in the window.
TEST_F(Journal, LEclaircissementSeRejoue)
{
    ASSERT_TRUE(journal_.commence({}));
    for (int k = 0; k < 7; ++k) journal_.ajoutePoint(k, {double(k), 10.0 * k});
    journal_.ajouteEclaircissement();
    journal_.ajoutePoint(3, {7.0, 70.0});
    const TCourbeRejouee c = rejoue(lisJournal(contenu()));
    ASSERT_EQ(c.nombre, 4);
    EXPECT_EQ(c.colonnes[0][1], 2.0);
    EXPECT_EQ(c.colonnes[0][2], 4.0);
    EXPECT_EQ(c.colonnes[0][3], 7.0);
}

// Killed without warning, as a power cut or a crash would: every point the
// process wrote is in its journal.
TEST_F(Journal, UnProcessusTueGardeSesPoints)
{
    for (const char* nom : {"spectre", "cinetique"}) {
        const auto ecrivain = lanceEcrivain(dossier_.path(), QString::fromLatin1(nom), 300);
        tue(*ecrivain);
        EXPECT_EQ(ecrivain->exitStatus(), QProcess::CrashExit);
        const TCourbeJournal j = lisJournalFichier(dossier_.filePath(QString::fromLatin1(nom) + TJournalMesures::suffixe));
        ASSERT_TRUE(j.valide) << nom;
        const TCourbeRejouee c = rejoue(j);
        EXPECT_EQ(c.nombre, 300) << nom;
        EXPECT_EQ(c.reperes.size(), QByteArray(nom) == "cinetique" ? 1U : 0U);
    }
}

// A second copy of the program, or one that could not tell it was not alone,
// must not wipe the run of the copy that is measuring: whatever it is asked,
// the journal stays as the writer left it, until the writer is gone.
TEST_F(Journal, UnJournalTenuParUnAutreProcessusResteIntact)
{
    const auto ecrivain = lanceEcrivain(dossier_.path(), QStringLiteral("spectre"), 200);
    TJournalMesures autre(dossier_.path(), QStringLiteral("spectre"));
    const QByteArray avant = contenuDe(autre.chemin());
    ASSERT_EQ(rejoue(lisJournal(avant)).nombre, 200);

    EXPECT_FALSE(autre.commence({{QStringLiteral("fenetre"), QStringLiteral("spectre")}}));
    EXPECT_TRUE(autre.tenuAilleurs());
    autre.ajoutePoint(0, {1.0, 2.0, 3.0});
    EXPECT_FALSE(autre.reprend());
    EXPECT_TRUE(autre.tenuAilleurs());
    autre.abandonne();
    EXPECT_TRUE(autre.tenuAilleurs());
    EXPECT_EQ(contenuDe(autre.chemin()), avant);

    // The kernel drops the lock with the process: the journal can be taken over.
    tue(*ecrivain);
    EXPECT_TRUE(autre.reprend());
    EXPECT_FALSE(autre.tenuAilleurs());
    autre.abandonne();
    EXPECT_FALSE(QFile::exists(autre.chemin()));
}

// The file a journal holds may have been renamed aside behind its back: a
// new curve then starts a new file, the renamed one keeps its points.
TEST_F(Journal, UnNouveauDebutNEcrasePasUnJournalRenomme)
{
    ASSERT_TRUE(journal_.commence({}));
    for (int k = 0; k < 3; ++k) journal_.ajoutePoint(k, {double(k), 1.0});
    const QString ailleurs = journal_.chemin() + QStringLiteral(".ecarte");
    ASSERT_TRUE(QFile::rename(journal_.chemin(), ailleurs));
    ASSERT_TRUE(journal_.commence({}));
    journal_.ajoutePoint(0, {9.0, 1.0});
    EXPECT_EQ(rejoue(lisJournalFichier(ailleurs)).nombre, 3);
    const TCourbeRejouee c = rejoue(lisJournal(contenu()));
    ASSERT_EQ(c.nombre, 1);
    EXPECT_EQ(c.colonnes[0][0], 9.0);
}

// A journal a session left and nobody brought back (the start-up question
// got no answer) is not wiped by the next curve: it is set aside, unless it
// holds no point.
TEST_F(Journal, UnJournalLaisseParUneAutreSessionEstMisDeCote)
{
    for (const int points : {3, 0}) {
        SCOPED_TRACE(points);
        QTemporaryDir dossier;
        {
            TJournalMesures precedent(dossier.path(), QStringLiteral("spectre"));
            ASSERT_TRUE(precedent.commence({}));
            for (int k = 0; k < points; ++k) precedent.ajoutePoint(k, {double(k), 1.0});
        }
        TJournalMesures suivant(dossier.path(), QStringLiteral("spectre"));
        ASSERT_TRUE(suivant.commence({}));
        suivant.ajoutePoint(0, {9.0, 1.0});
        ASSERT_TRUE(suivant.commence({}));
        EXPECT_EQ(rejoue(lisJournalFichier(suivant.chemin())).nombre, 0) << "its own curve is simply replaced";
        const QStringList ecartes =
            QDir(dossier.path()).entryList({QStringLiteral("*") + TJournalMesures::suffixeEcarte}, QDir::Files);
        ASSERT_EQ(ecartes.size(), points > 0 ? 1 : 0);
        if (points > 0) {
            EXPECT_EQ(rejoue(lisJournalFichier(dossier.filePath(ecartes[0]))).nombre, points);
        }
    }
}

// The program keeps its journals where they always were; a copy renamed on
// disk, which runs beside it, gets a folder of its own.
TEST(DossierJournaux, SuitLeTitreDuProgramme)
{
    const QString etat = qEnvironmentVariable("XDG_STATE_HOME");
    ASSERT_TRUE(QDir::isAbsolutePath(etat));
    const struct {
        QString titre;
        QString dossier;
    } cas[] = {
        {QStringLiteral("Lumko"), etat + QStringLiteral("/lumko")},
        {QString(), etat + QStringLiteral("/lumko")},
        {QStringLiteral("Lumko-copie"), etat + QStringLiteral("/lumko/Lumko-copie")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.titre.toStdString());
        EXPECT_EQ(TJournalMesures::dossierDuTitre(c.titre), c.dossier);
        TJournalMesures::fixeTitre(c.titre);
        EXPECT_EQ(TJournalMesures::dossierParDefaut(), c.dossier);
    }
    TJournalMesures::fixeTitre(QStringLiteral("Lumko"));

    qunsetenv("XDG_STATE_HOME");
    EXPECT_EQ(TJournalMesures::dossierParDefaut(), QDir::homePath() + QStringLiteral("/.local/state/lumko"));
    qputenv("XDG_STATE_HOME", etat.toLocal8Bit());
}

} // namespace

// The measurement journal: what is written comes back, a record cut short
// or damaged is left out without losing the others, and a process killed
// in the middle of its run leaves every point it wrote.
#include "common/TJournalMesures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace {

class Journal : public ::testing::Test {
protected:
    QByteArray contenu() const
    {
        QFile f(journal_.chemin());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
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
        QProcess ecrivain;
        ecrivain.start(QStringLiteral(LUMKO_ESSAI_JOURNAL),
                       {dossier_.path(), QString::fromLatin1(nom), QStringLiteral("300")});
        ASSERT_TRUE(ecrivain.waitForStarted(5000));
        ASSERT_TRUE(ecrivain.waitForReadyRead(10000));
        EXPECT_EQ(ecrivain.readLine().trimmed(), QByteArray("ecrit 300"));
        ::kill(static_cast<pid_t>(ecrivain.processId()), SIGKILL);
        ASSERT_TRUE(ecrivain.waitForFinished(5000));
        EXPECT_EQ(ecrivain.exitStatus(), QProcess::CrashExit);
        const TCourbeJournal j = lisJournalFichier(dossier_.filePath(QString::fromLatin1(nom) + TJournalMesures::suffixe));
        ASSERT_TRUE(j.valide) << nom;
        const TCourbeRejouee c = rejoue(j);
        EXPECT_EQ(c.nombre, 300) << nom;
        EXPECT_EQ(c.reperes.size(), QByteArray(nom) == "cinetique" ? 1U : 0U);
    }
}

} // namespace

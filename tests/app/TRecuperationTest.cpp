// At the next start: the journals a killed or unsaved session left are
// offered back into their windows, set aside, or left for the start after;
// those another process is writing are not the recovery's business.
#include "app/TRecuperation.h"

#include "common/TJournalMesures.h"
#include "kinetics/TCinetiqueForm.h"
#include "spectrum/TFormMain.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <map>
#include <memory>
#include <vector>

namespace {

using Reponse = TRecuperation::Reponse;

class Recuperation : public ::testing::Test {
protected:
    void SetUp() override
    {
        TJournalMesures spectre(dossier_.path(), QStringLiteral("spectre"));
        spectre.commence({{QStringLiteral("fenetre"), QStringLiteral("spectre")},
                          {QStringLiteral("debut"), QStringLiteral("400")},
                          {QStringLiteral("fin"), QStringLiteral("700")}});
        for (int k = 0; k < 150; ++k) spectre.ajoutePoint(k, {700.0 - 2 * k, 0.01 * k, 0.5});
        TJournalMesures cinetique(dossier_.path(), QStringLiteral("cinetique"));
        cinetique.commence({{QStringLiteral("fenetre"), QStringLiteral("cinetique")},
                            {QStringLiteral("pas"), QStringLiteral("3")},
                            {QStringLiteral("nombre"), QStringLiteral("60")},
                            {QStringLiteral("lambda"), QStringLiteral("590")}});
        for (int k = 0; k < 40; ++k) cinetique.ajoutePoint(k, {3.0 * k, 1.5 - 0.01 * k});
        cinetique.ajouteRepere(30, QStringLiteral("ajout"));
        fenetre_ = std::make_unique<TFormMain>(dossier_.filePath(QStringLiteral("lumko.ini")));
    }

    TCinetiqueForm& ouvre()
    {
        if (cinetique_ == nullptr) cinetique_ = new TCinetiqueForm(*fenetre_, dossier_.filePath(QStringLiteral("lumko.ini")));
        return *cinetique_;
    }

    // Asks once with this answer; how many times the question came.
    int propose(Reponse reponse)
    {
        int questions = 0;
        TRecuperation(dossier_.path()).propose(*fenetre_, [this]() -> TCinetiqueForm& { return ouvre(); }, [&] {
            ++questions;
            return reponse;
        });
        return questions;
    }

    // Every file of the folder with its bytes.
    std::map<QString, QByteArray> fichiers() const
    {
        std::map<QString, QByteArray> contenus;
        const QDir dossier(dossier_.path());
        for (const QString& nom : dossier.entryList(QDir::Files)) {
            QFile f(dossier.filePath(nom));
            contenus[nom] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }
        return contenus;
    }

    QTemporaryDir dossier_;
    std::unique_ptr<TFormMain> fenetre_;
    TCinetiqueForm* cinetique_ = nullptr;
};

TEST_F(Recuperation, OuiRemetChaqueCourbeDansSaFenetre)
{
    EXPECT_EQ(propose(Reponse::oui), 1);
    const Tgraphe& s = fenetre_->graphe();
    ASSERT_EQ(s.nbrePoints, 150);
    EXPECT_EQ(s.mondeX->valeur[149], 402.0);
    EXPECT_TRUE(fenetre_->spectreFait) << "ready to be saved";
    EXPECT_EQ(fenetre_->liaison().iCourant, 150);
    ASSERT_NE(cinetique_, nullptr);
    EXPECT_EQ(cinetique_->Graphe().nbrePoints, 40);
    EXPECT_EQ(cinetique_->Graphe().mondeX->valeur[39], 117.0);
    ASSERT_EQ(cinetique_->Graphe().listeRepere.size(), 1U);
    EXPECT_EQ(cinetique_->Graphe().listeRepere[0].Text, QStringLiteral("ajout"));
    EXPECT_EQ(cinetique_->DeltatMesure(), 3);
    EXPECT_EQ(cinetique_->NbreMax(), 60);
    EXPECT_FALSE(cinetique_->DejaSauve);
    EXPECT_TRUE(QFile::exists(dossier_.filePath(QStringLiteral("cinetique.journal")))) << "not saved yet: kept";
}

TEST_F(Recuperation, NonMetLesJournauxDeCoteSansRienEffacer)
{
    EXPECT_EQ(propose(Reponse::non), 1);
    EXPECT_EQ(fenetre_->graphe().nbrePoints, 0);
    EXPECT_EQ(cinetique_, nullptr);
    const QStringList restants = QDir(dossier_.path()).entryList({QStringLiteral("*.journal*")}, QDir::Files);
    ASSERT_EQ(restants.size(), 2);
    for (const QString& n : restants) EXPECT_TRUE(n.endsWith(QStringLiteral(".ecarte"))) << n.toStdString();
    EXPECT_EQ(propose(Reponse::oui), 0) << "nothing left to offer";
}

// The program stopped, or the box closed, while it asked: nothing was
// decided, and the next start asks again.
TEST_F(Recuperation, SansReponseLesJournauxRestentPourLaProchaineFois)
{
    const auto avant = fichiers();
    EXPECT_EQ(propose(Reponse::sansReponse), 1);
    EXPECT_EQ(fichiers(), avant);
    EXPECT_EQ(fenetre_->graphe().nbrePoints, 0);
    EXPECT_EQ(cinetique_, nullptr);
    EXPECT_EQ(propose(Reponse::oui), 1);
    EXPECT_EQ(fenetre_->graphe().nbrePoints, 150);
}

// Another process is writing the journals (a copy of the program measuring
// into them): they are neither offered, nor set aside, nor removed, even the
// one without a point yet, whatever the answer would have been; once that
// process is gone, they are offered.
TEST_F(Recuperation, UnJournalTenuAilleursNEstNiTouchNiPropose)
{
#ifndef LUMKO_ESSAI_JOURNAL
    GTEST_SKIP() << "le programme d'essai des journaux n'est pas construit";
#else
    const struct {
        QString nom;
        int points;
    } ecrits[] = {{QStringLiteral("spectre"), 120}, {QStringLiteral("cinetique"), 0}};
    std::vector<std::unique_ptr<QProcess>> ecrivains;
    for (const auto& e : ecrits) {
        auto& ecrivain = ecrivains.emplace_back(std::make_unique<QProcess>());
        ecrivain->start(QStringLiteral(LUMKO_ESSAI_JOURNAL), {dossier_.path(), e.nom, QString::number(e.points)});
        ASSERT_TRUE(ecrivain->waitForStarted(5000));
        ASSERT_TRUE(ecrivain->waitForReadyRead(10000));
    }
    const auto avant = fichiers();
    for (const Reponse reponse : {Reponse::non, Reponse::oui}) EXPECT_EQ(propose(reponse), 0);
    EXPECT_TRUE(TRecuperation(dossier_.path()).journaux().isEmpty());
    EXPECT_EQ(fichiers(), avant);

    for (auto& ecrivain : ecrivains) {
        ::kill(static_cast<pid_t>(ecrivain->processId()), SIGKILL);
        ASSERT_TRUE(ecrivain->waitForFinished(5000));
    }
    EXPECT_EQ(TRecuperation(dossier_.path()).journaux(), QStringList{dossier_.filePath(QStringLiteral("spectre.journal"))});
    EXPECT_FALSE(QFile::exists(dossier_.filePath(QStringLiteral("cinetique.journal")))) << "no point: removed";
#endif
}

// A journal that is not one is set aside; one without a point goes.
TEST_F(Recuperation, JournauxVidesOuEtrangers)
{
    QFile etranger(dossier_.filePath(QStringLiteral("spectre.journal")));
    ASSERT_TRUE(etranger.open(QIODevice::WriteOnly | QIODevice::Truncate));
    etranger.write("pas un journal\n");
    etranger.close();
    ASSERT_TRUE(QFile::remove(dossier_.filePath(QStringLiteral("cinetique.journal"))));
    {
        TJournalMesures vide(dossier_.path(), QStringLiteral("cinetique"));
        vide.commence({{QStringLiteral("fenetre"), QStringLiteral("cinetique")}});
    }
    EXPECT_TRUE(TRecuperation(dossier_.path()).journaux().isEmpty());
    const QStringList restants = QDir(dossier_.path()).entryList(QDir::Files);
    EXPECT_EQ(restants.filter(QStringLiteral(".ecarte")).size(), 1);
    EXPECT_FALSE(restants.contains(QStringLiteral("cinetique.journal")));
}

} // namespace

// At the next start: the journals a killed or unsaved session left are
// offered back into their windows, or set aside.
#include "app/TRecuperation.h"

#include "common/TJournalMesures.h"
#include "kinetics/TCinetiqueForm.h"
#include "spectrum/TFormMain.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

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

    QTemporaryDir dossier_;
    std::unique_ptr<TFormMain> fenetre_;
    TCinetiqueForm* cinetique_ = nullptr;
};

TEST_F(Recuperation, OuiRemetChaqueCourbeDansSaFenetre)
{
    int questions = 0;
    TRecuperation(dossier_.path()).propose(*fenetre_, [this]() -> TCinetiqueForm& { return ouvre(); }, [&] {
        ++questions;
        return true;
    });
    EXPECT_EQ(questions, 1);
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
    TRecuperation(dossier_.path()).propose(*fenetre_, [this]() -> TCinetiqueForm& { return ouvre(); },
                                           [] { return false; });
    EXPECT_EQ(fenetre_->graphe().nbrePoints, 0);
    EXPECT_EQ(cinetique_, nullptr);
    const QStringList restants = QDir(dossier_.path()).entryList({QStringLiteral("*.journal*")}, QDir::Files);
    ASSERT_EQ(restants.size(), 2);
    for (const QString& n : restants) EXPECT_TRUE(n.endsWith(QStringLiteral(".ecarte"))) << n.toStdString();
    int questions = 0;
    TRecuperation(dossier_.path()).propose(*fenetre_, [this]() -> TCinetiqueForm& { return ouvre(); }, [&] {
        ++questions;
        return true;
    });
    EXPECT_EQ(questions, 0) << "nothing left to offer";
}

// A journal that is not one is set aside; one without a point goes.
TEST_F(Recuperation, JournauxVidesOuEtrangers)
{
    QFile etranger(dossier_.filePath(QStringLiteral("spectre.journal")));
    ASSERT_TRUE(etranger.open(QIODevice::WriteOnly | QIODevice::Truncate));
    etranger.write("pas un journal\n");
    etranger.close();
    TJournalMesures vide(dossier_.path(), QStringLiteral("cinetique"));
    vide.commence({{QStringLiteral("fenetre"), QStringLiteral("cinetique")}});
    EXPECT_TRUE(TRecuperation(dossier_.path()).journaux().isEmpty());
    const QStringList restants = QDir(dossier_.path()).entryList(QDir::Files);
    EXPECT_EQ(restants.filter(QStringLiteral(".ecarte")).size(), 1);
    EXPECT_FALSE(restants.contains(QStringLiteral("cinetique.journal")));
}

} // namespace

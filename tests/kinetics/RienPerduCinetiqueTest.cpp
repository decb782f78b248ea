// A kinetics run against an instrument that misbehaves: every reading kept,
// every wait ended, the run always ending.
#include "CinetiqueFixture.h"

#include "common/TJournalMesures.h"
#include "common/TTransfertEnCours.h"
#include "spectrum/TPanneauSpectre.h"

#include <QFile>
#include <QPushButton>

#include <functional>


class RienPerduCinetique : public CinetiqueFixture {
protected:
    void SetUp() override
    {
        CinetiqueFixture::SetUp();
        ouvreCinetique();
        prepare();
        lance();
        ASSERT_EQ(nbrePoints(), 1);
    }

    // One tick, during which the test may act at every pass of the link's
    // wait (the tick's reading runs its wait inside the tick).
    void ticPendant(const std::function<void(int passe)>& action, int ms = 2000)
    {
        int passes = 0;
        aChaquePasse_ = [&](int) { action(++passes); };
        ms_ += ms;
        minuterie_->declenche();
        aChaquePasse_ = nullptr;
    }

    const qint64 bornee = TCinetiqueForm::delaiLectureMs(2000);
    const QString abandon = TCinetiqueForm::texteLectureAbandonnee.arg(10);
};

// The kinetics window's Stop ends the link's wait as the main window's does.
TEST_F(RienPerduCinetique, stopDeLaCinetiqueFinitLAttente)
{
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.sansENQ = true; }));
    bool stop = false;
    ticPendant([&](int passe) {
        if (passe != 30) return;
        stop = barreCin().StopBtn->isEnabled();
        barreCin().StopBtn->click();
    });
    EXPECT_TRUE(stop);
    EXPECT_FALSE(f().enCommande());
    EXPECT_EQ(liaison().etatSpectre, TEtatSpectre::esAttente);
    EXPECT_FALSE(cin().acqEnCours());
}

// A reading that never announces itself is abandoned after its bound, with
// a message on both status lines, and the next tick asks again.
TEST_F(RienPerduCinetique, uneLectureSansENQEstAbandonneeApresSaBorne)
{
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.sansENQ = true; }));
    int ticsSautes = 0;
    ticPendant([&](int passe) {
        if (passe == 10 || passe == 20) {
            ms_ += passe == 10 ? 2000 : bornee; // a tick within the bound, then one past it
            const int avant = commandesD();
            minuterie_->declenche();
            ticsSautes += commandesD() == avant ? 1 : 0;
        }
    });
    EXPECT_EQ(ticsSautes, 2);
    EXPECT_FALSE(f().enCommande());
    EXPECT_EQ(cin().statut(), abandon);
    EXPECT_EQ(f().statut(), abandon);
    EXPECT_TRUE(cin().acqEnCours());
    sim_.setConfig(configRapide());
    tic();
    EXPECT_EQ(nbrePoints(), 2);
}

// One lost EOT: the reading is in, but the link waits on; the bound frees it.
TEST_F(RienPerduCinetique, unEOTPerduNeBloquePasLaRun)
{
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.perdEOT = true; }));
    ms_ += 2000;
    minuterie_->declenche();
    ASSERT_TRUE(attendQue([this] { return nbrePoints() == 2; }));
    EXPECT_TRUE(f().enCommande());
    sim_.setConfig(configRapide());
    const int avant = commandesD();
    ms_ += 2000;
    minuterie_->declenche();
    EXPECT_EQ(commandesD(), avant) << "within the bound: skipped";
    ms_ += bornee;
    minuterie_->declenche();
    EXPECT_FALSE(f().enCommande());
    EXPECT_EQ(cin().statut(), abandon);
    tic();
    EXPECT_EQ(nbrePoints(), 3);
}

// Past its duration by a whole step without its last reading, the run ends
// all the same, keeping its points, even with a reading stuck in the link.
TEST_F(RienPerduCinetique, laRunFinitASaDuree)
{
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.sansENQ = true; }));
    ticPendant([&](int passe) {
        if (passe != 10) return;
        ms_ += (cin().DureeMesure() + cin().DeltatMesure()) * 1000;
        minuterie_->declenche();
    });
    EXPECT_FALSE(cin().acqEnCours());
    EXPECT_FALSE(f().enCommande());
    EXPECT_EQ(nbrePoints(), 1);
    EXPECT_EQ(cin().statut(), TCinetiqueForm::texteFinSansLecture);
}

// A reply that is not a number is acknowledged and dropped, said on the
// status line; the run goes on.
TEST_F(RienPerduCinetique, uneValeurIllisibleNestPasUnPoint)
{
    for (const char* texte : {"ERR", "1.2.3", "-"}) {
        const int avant = nbrePoints();
        sim_.setConfig(configAvec([texte](TConfigInstrument& c) { c.texteReponse = texte; }));
        tic();
        EXPECT_EQ(nbrePoints(), avant) << texte;
        EXPECT_EQ(cin().statut(), TLiaison::texteIllisible) << texte;
        sim_.setConfig(configRapide());
        tic();
        EXPECT_EQ(nbrePoints(), avant + 1) << texte;
    }
}

// An export during the run covers the points it took: the journal goes on,
// and later points bring the question back.
TEST_F(RienPerduCinetique, unExportPendantLaRunNeCouvreQueSesPoints)
{
    for (int k = 0; k < 11; ++k) tic();
    barreCin().SaveBtn->click();
    EXPECT_TRUE(cin().DejaSauve);
    const QString chemin = cin().journal().chemin();
    EXPECT_TRUE(QFile::exists(chemin));
    for (int k = 0; k < 3; ++k) tic();
    EXPECT_FALSE(cin().DejaSauve);
    EXPECT_EQ(rejoue(lisJournalFichier(chemin)).nombre, 15);
    barreCin().StopBtn->click();
    barreCin().StartBtn->click();
    EXPECT_EQ(questions_, 1) << "the three later points were not saved";
}

// During a wait of the main window, both windows offer only Stop.
TEST_F(RienPerduCinetique, pendantUneAttenteSeulStopEstOffert)
{
    barreCin().StopBtn->click();
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.sansFin = true; }));
    std::vector<bool> offerts;
    int passes = 0;
    aChaquePasse_ = [&](int) {
        if (++passes != 20) return;
        for (QWidget* w : std::initializer_list<QWidget*>{panneau().ZeroBtn, panneau().AbsBtn, panneau().LambdaBtn,
                                                           barre().BlancBtn, bandeau().LambdaBtn, barreCin().ZeroBtn,
                                                           barreCin().StartBtn})
            offerts.push_back(w->isEnabled());
        EXPECT_TRUE(barre().StopBtn->isEnabled());
        EXPECT_TRUE(barreCin().StopBtn->isEnabled());
        barre().StopBtn->click();
    };
    barre().BlancBtn->click();
    aChaquePasse_ = nullptr;
    EXPECT_EQ(offerts, std::vector<bool>(7, false));
    EXPECT_FALSE(f().enCommande());
}

// A transfer's waits take no clicks: no tick and no command breaks into them.
TEST_F(RienPerduCinetique, rienNeDemarrePendantUnTransfert)
{
    const std::size_t avant = sim_.commandes().size();
    {
        const TTransfertEnCours transfert;
        ms_ += 2000;
        minuterie_->declenche();
        f().setZero();
    }
    EXPECT_EQ(sim_.commandes().size(), avant);
    tic();
    EXPECT_EQ(nbrePoints(), 2);
}

// What the window does when the instrument fails it: switched off, never
// finishing, or stopped by the user while it still sends points.
#include "FenetreFixture.h"

#include "sim/Balayage.h"

#include <QPushButton>

#include <functional>

namespace {

using E = TEtatSpectre;

struct TCasMuet {
    const char* nom;
    std::function<void(TBarreSpectre&, TPanneauSpectre&)> action;
    E etat;             // the state it is left in
    unsigned delaiMin;  // virtual ms the window waited, at least
    bool blancGarde;    // the blank still counts afterwards
};

const TCasMuet casMuet[] = {
    {"blanc", [](TBarreSpectre& b, TPanneauSpectre&) { b.BlancBtn->click(); }, E::esAttente, 5000, false},
    // A set-up that failed starts no scan: idle again after the one time-out.
    {"spectre", [](TBarreSpectre& b, TPanneauSpectre&) { b.SpectreBtn->click(); }, E::esAttente, 5000, true},
    {"zero", [](TBarreSpectre&, TPanneauSpectre& p) { p.ZeroBtn->click(); }, E::esEcriture, 5000, true},
    {"allerA", [](TBarreSpectre&, TPanneauSpectre& p) { p.LambdaBtn->click(); }, E::esEcriture, 5000, true},
    {"abs", [](TBarreSpectre&, TPanneauSpectre& p) { p.AbsBtn->click(); }, E::esLectureAbs, 5000, true},
};

} // namespace

// The instrument is switched off: every ENQ goes unanswered.
class InstrumentEteint : public FenetreFixture, public ::testing::WithParamInterface<TCasMuet> {
protected:
    TConfigInstrument configInstrument() const override
    {
        TConfigInstrument cfg = configRapide();
        cfg.muet = true;
        return cfg;
    }
};

TEST_P(InstrumentEteint, chaqueCommandeAbandonneEtStopRendLaMain)
{
    const TCasMuet& c = GetParam();
    TFormMain& fen = ouvreFenetre();
    connecte();
    liaison().BlancFait = true; // so that "Spectre" can be pressed
    fen.setBoutons();
    c.action(barre(), panneau());

    EXPECT_GE(horloge_, c.delaiMin);
    EXPECT_LT(horloge_, c.delaiMin + 2000);
    EXPECT_EQ(liaison().etatSpectre, c.etat);
    EXPECT_EQ(fen.statut(), QStringLiteral("Pas de réponse à Enquiry"));
    if (c.etat == E::esAttente) {
        // Idle again, the pointer normal; a failed blank no longer counts.
        EXPECT_EQ(liaison().BlancFait, c.blancGarde);
        EXPECT_FALSE(liaison().estOccupe());
        EXPECT_TRUE(barre().BlancBtn->isEnabled());
        EXPECT_EQ(barre().SpectreBtn->isEnabled(), c.blancGarde);
        EXPECT_FALSE(fen.spectreFait);
        return;
    }
    // Only Stop is left among the instrument's buttons.
    EXPECT_TRUE(liaison().estOccupe());
    EXPECT_TRUE(barre().StopBtn->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{barre().BlancBtn, barre().SpectreBtn,
                                                       panneau().ZeroBtn, panneau().AbsBtn,
                                                       panneau().LambdaBtn})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_FALSE(fen.spectreFait);

    barre().StopBtn->click();
    EXPECT_EQ(liaison().etatSpectre, E::esAttente);
    EXPECT_FALSE(liaison().estOccupe());
    EXPECT_FALSE(barre().StopBtn->isEnabled());
    EXPECT_TRUE(barre().BlancBtn->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cas, InstrumentEteint, ::testing::ValuesIn(casMuet),
                         [](const auto& info) { return std::string(info.param.nom); });

// The instrument acknowledges but never finishes: the window waits, answers,
// and Stop ends each wait.
class InstrumentSansFin : public FenetreFixture {
protected:
    TConfigInstrument configInstrument() const override
    {
        TConfigInstrument cfg = configRapide();
        cfg.sansFin = true;
        return cfg;
    }
};

// A scan whose set-up was stopped is not started: the instrument was not set
// up for it.
TEST_F(InstrumentSansFin, unReglageSansFinSArreteAuStopSansLancerLeSpectre)
{
    TFormMain& fen = ouvreFenetre();
    connecte();
    liaison().BlancFait = true;
    fen.setBoutons();
    int stops = 0;
    int statutsEnCours = 0;
    aChaquePasse_ = [&](int passe) {
        if (fen.statut() == QStringLiteral("Attente de End of text")
            || fen.statut() == QStringLiteral("Attente de Enquiry"))
            ++statutsEnCours;
        // Long after any time-out: the wait has no limit of its own.
        if (passe % 200 == 0 && barre().StopBtn->isEnabled()) {
            ++stops;
            barre().StopBtn->click();
        }
    };
    barre().SpectreBtn->click();
    aChaquePasse_ = nullptr;

    EXPECT_EQ(stops, 1);
    EXPECT_GT(statutsEnCours, 100);
    EXPECT_EQ(liaison().etatSpectre, E::esAttente);
    EXPECT_FALSE(fen.spectreFait);
    EXPECT_FALSE(barre().AddBtn->isEnabled());
    EXPECT_FALSE(liaison().estOccupe());
    ASSERT_EQ(sim_.commandes().size(), 1u);
    EXPECT_EQ(sim_.commandes()[0].front(), 'a');
}

// Closing the window ends every wait, so that the program can end.
TEST_F(InstrumentSansFin, fermerLaFenetrePendantUneAttenteLaTermine)
{
    TFormMain& fen = ouvreFenetre();
    connecte();
    liaison().BlancFait = true;
    fen.setBoutons();
    aChaquePasse_ = [&](int passe) {
        if (passe == 50) barre().ExitBtn->click();
    };
    barre().SpectreBtn->click();
    aChaquePasse_ = nullptr;
    EXPECT_FALSE(fen.isVisible());
    EXPECT_EQ(liaison().etatSpectre, E::esAttente);
    EXPECT_LT(passes_, 100) << "no wait was started after the closing";
    EXPECT_EQ(sim_.commandes().size(), 1u);
}

// Stop while the instrument still scans: the window is idle at once, and the
// points that keep coming are still added to the curve.
class StopPendantLeBalayage : public FenetreFixture {
protected:
    TConfigInstrument configInstrument() const override
    {
        TConfigInstrument cfg = configRapide();
        cfg.facteurTemps = 0.04; // about 2 ms between points
        return cfg;
    }
};

TEST_F(StopPendantLeBalayage, lesPointsSuivantsSAjoutentEncore)
{
    TFormMain& fen = ouvreFenetre();
    connecte();
    barre().BlancBtn->click();
    barre().SpectreBtn->click();
    ASSERT_TRUE(attendQue([&] { return fen.graphe().nbrePoints >= 20; }));
    barre().StopBtn->click();
    const int auStop = fen.graphe().nbrePoints;
    EXPECT_EQ(liaison().etatSpectre, E::esAttente);
    EXPECT_FALSE(barre().StopBtn->isEnabled());
    EXPECT_TRUE(barre().BlancBtn->isEnabled());

    TReglageBalayage r;
    r.debutDixiemes = 5000;
    r.finDixiemes = 6000;
    const auto tous = static_cast<int>(longueursOndeBalayage(r, 200).size());
    ASSERT_LT(auStop, tous) << "the scan must still run when Stop is pressed";
    ASSERT_TRUE(attendQue([&] { return fen.graphe().nbrePoints == tous; }));
    laissePasser(50);

    // The instrument had its EOT acknowledged: it takes the next command.
    barre().BlancBtn->click();
    EXPECT_TRUE(liaison().BlancFait) << fen.statut().toStdString();
}

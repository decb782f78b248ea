// What the main window keeps when the instrument or the user cuts an exchange
// short: no point lost, no failure taken for success, no wait without a way out.
#include "FenetreFixture.h"

#include "common/TJournalMesures.h"

#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

using E = TEtatSpectre;

} // namespace

class RienPerdu : public FenetreFixture {
protected:
    // A first spectrum, whole and idle.
    void premierSpectre()
    {
        ouvreFenetre();
        enregistreSpectre();
        ASSERT_GT(f().graphe().nbrePoints, 100);
        ASSERT_TRUE(f().spectreFait);
    }

    int commandesEnvoyees(char lettre) const
    {
        int n = 0;
        for (const std::string& c : sim_.commandes()) n += c.front() == lettre ? 1 : 0;
        return n;
    }
};

// Saving during a scan would export the previous curve's count of points:
// "Sauver" and "Imprimer" wait for the scan's end, here never announced.
TEST_F(RienPerdu, sauverAttendLaFinDuBalayage)
{
    premierSpectre();
    const int n = f().graphe().nbrePoints;
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.perdEOT = true; }));
    barre().SpectreBtn->click();
    // The same range again: the new scan is whole once it has as many points.
    ASSERT_TRUE(attendQue([&] { return commandesEnvoyees('f') == 2 && liaison().iCourant == n; }));
    laissePasser(50);
    EXPECT_EQ(liaison().etatSpectre, E::esSpectreEnCours);
    EXPECT_FALSE(barre().SaveBtn->isEnabled());
    EXPECT_FALSE(barre().PrintBtn->isEnabled());
    EXPECT_TRUE(barre().StopBtn->isEnabled());
    barre().StopBtn->click();
    EXPECT_TRUE(barre().SaveBtn->isEnabled());
}

// A set-up cut short starts no scan: the previous curve, its journal and its
// buttons stay as they were.
TEST_F(RienPerdu, unReglageInterrompuLaisseLaCourbePrecedente)
{
    struct TCas {
        const char* nom;
        std::function<void(TBarreSpectre&)> coupe;
    };
    const TCas cas[] = {
        {"stop", [](TBarreSpectre& b) { b.StopBtn->click(); }},
        {"deconnecter", [](TBarreSpectre& b) { b.ConnectBtn->click(); }},
    };
    premierSpectre();
    const int n = f().graphe().nbrePoints;
    const double premier = f().graphe().mondeAbs->valeur[0];
    const QString journal = f().journal().chemin();
    const int journalises = rejoue(lisJournalFichier(journal)).nombre;
    ASSERT_EQ(journalises, n);
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.sansFin = true; }));
    for (const TCas& c : cas) {
        if (!liaison().VoieSerie.Open()) connecte();
        int passes = 0;
        aChaquePasse_ = [&](int) {
            if (++passes == 20) c.coupe(barre());
        };
        barre().SpectreBtn->click();
        aChaquePasse_ = nullptr;
        EXPECT_EQ(commandesEnvoyees('f'), 1) << c.nom << ": no start after a set-up cut short";
        EXPECT_EQ(liaison().etatSpectre, E::esAttente) << c.nom;
        EXPECT_EQ(f().graphe().nbrePoints, n) << c.nom;
        EXPECT_EQ(f().graphe().mondeAbs->valeur[0], premier) << c.nom;
        EXPECT_TRUE(f().spectreFait) << c.nom << ": the previous curve can still be kept and saved";
        EXPECT_TRUE(barre().AddBtn->isEnabled()) << c.nom;
        EXPECT_EQ(rejoue(lisJournalFichier(journal)).nombre, n) << c.nom << ": its journal untouched";
    }
}

// A command whose wait the user ends with "Déconnecter" is not done, and the
// port stays closed afterwards.
TEST_F(RienPerdu, deconnecterPendantUneCommandeEstUnEchec)
{
    struct TCas {
        const char* nom;
        std::function<void(TBarreSpectre&, TPanneauSpectre&)> action;
    };
    const TCas cas[] = {
        {"blanc", [](TBarreSpectre& b, TPanneauSpectre&) { b.BlancBtn->click(); }},
        {"zero", [](TBarreSpectre&, TPanneauSpectre& p) { p.ZeroBtn->click(); }},
        {"allerA", [](TBarreSpectre&, TPanneauSpectre& p) { p.LambdaBtn->click(); }},
        {"abs", [](TBarreSpectre&, TPanneauSpectre& p) { p.AbsBtn->click(); }},
    };
    ouvreFenetre();
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.sansFin = true; }));
    for (const TCas& c : cas) {
        connecte();
        int passes = 0;
        aChaquePasse_ = [&](int) {
            if (++passes == 20) barre().ConnectBtn->click();
        };
        c.action(barre(), panneau());
        aChaquePasse_ = nullptr;
        EXPECT_LT(passes, 40) << c.nom << ": the wait ends with the disconnection";
        EXPECT_NE(liaison().issue(), TIssueCommande::eFaite) << c.nom;
        EXPECT_FALSE(liaison().BlancFait) << c.nom;
        EXPECT_FALSE(barre().SpectreBtn->isEnabled()) << c.nom;
        EXPECT_FALSE(f().enCommande()) << c.nom;
        laissePasser(30);
        EXPECT_FALSE(liaison().VoieSerie.Open()) << c.nom << ": nothing reopens it";
        EXPECT_EQ(barre().ConnectBtn->text(), QStringLiteral("Connecter")) << c.nom;
    }
}

// A reading that comes after Stop belongs to nothing: it is acknowledged and
// dropped, never turned into a spectrum point.
TEST_F(RienPerdu, uneLectureApresStopNeDevientPasUnPoint)
{
    ouvreFenetre();
    connecte();
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.delaiLecture = 0.2; }));
    int passes = 0;
    aChaquePasse_ = [&](int) {
        if (++passes == 5) barre().StopBtn->click();
    };
    panneau().AbsBtn->click();
    aChaquePasse_ = nullptr;
    ASSERT_TRUE(attendQue([this] { return liaison().lignesIgnorees() == 1; }, 5000));
    EXPECT_EQ(f().graphe().nbrePoints, 0);
    EXPECT_EQ(liaison().iCourant, 0);
    EXPECT_EQ(panneau().AbsEdit->text(), QString());
    EXPECT_EQ(f().statut(), TLiaison::texteInattendue);
}

// Closing the window while the link waits ends the wait, whatever the window
// shows, and starts nothing more.
TEST_F(RienPerdu, fermerPendantUneMesureSansENQ)
{
    ouvreFenetre();
    connecte();
    sim_.setConfig(configAvec([](TConfigInstrument& c) { c.sansENQ = true; }));
    int passes = 0;
    aChaquePasse_ = [&](int) {
        if (++passes == 20) {
            EXPECT_TRUE(barre().StopBtn->isEnabled());
            f().close();
        }
    };
    panneau().AbsBtn->click();
    aChaquePasse_ = nullptr;
    EXPECT_EQ(passes, 20);
    EXPECT_FALSE(f().enCommande());
    panneau().ZeroBtn->click();
    EXPECT_EQ(commandesEnvoyees('x'), 0) << "nothing starts once closing";
}

// Closing the kinetics window: the run stops, the question comes back until
// the run is exported, the settings are written (or the window stays open),
// and everything is still there when the window is shown again.
#include "CinetiqueFixture.h"

#include <QDir>

class Fermeture : public CinetiqueFixture {
protected:
    // A run of n readings, left in the window.
    void run(int lectures)
    {
        lance();
        while (nbrePoints() < lectures) tic();
    }
};

TEST_F(Fermeture, fermerPendantUneRunLArreteDAbord)
{
    struct Cas {
        int lectures;
        int questions;
        int gardes;
    };
    for (const Cas c : {Cas{8, 0, 0}, Cas{20, 1, 20}}) {
        fenetre_.reset();
        questions_ = 0;
        ouvreCinetique();
        prepare();
        run(c.lectures);
        cin().close();
        EXPECT_FALSE(cin().isVisible()) << c.lectures;
        EXPECT_FALSE(cin().acqEnCours());
        EXPECT_FALSE(minuterie_->active());
        EXPECT_EQ(questions_, c.questions) << c.lectures;
        EXPECT_EQ(nbrePoints(), c.gardes) << c.lectures;
    }
}

TEST_F(Fermeture, laQuestionRevientJusquALExportEtLaRunResteLa)
{
    ouvreCinetique();
    prepare();
    run(15);
    barreCin().StopBtn->click();
    std::vector<double> temps0;
    for (int k = 0; k < 15; ++k) temps0.push_back(temps(k));

    reponseQuestion_ = false;
    barreCin().ExitBtn->click();
    EXPECT_EQ(questions_, 1);
    EXPECT_FALSE(cin().isVisible());
    barre().CinetiqueBtn->click();
    EXPECT_TRUE(cin().isVisible());
    ASSERT_EQ(nbrePoints(), 15) << "the run is still there";
    for (int k = 0; k < 15; ++k) EXPECT_EQ(temps(k), temps0[static_cast<std::size_t>(k)]);
    EXPECT_TRUE(barreCin().SaveBtn->isEnabled());

    // "Oui" but the export fails: asked again next time.
    reponseQuestion_ = true;
    exportReussi_ = false;
    cin().close();
    EXPECT_EQ(questions_, 2);
    EXPECT_EQ(exports_, 1);
    barre().CinetiqueBtn->click();
    exportReussi_ = true;
    cin().close();
    EXPECT_EQ(questions_, 3);
    EXPECT_TRUE(cin().DejaSauve);
    barre().CinetiqueBtn->click();
    cin().close();
    EXPECT_EQ(questions_, 3) << "exported: nothing to ask";
}

TEST_F(Fermeture, lesReglagesFontLAllerRetour)
{
    ecritIni(sectionPorts() + "[Lambda]\nCinet=1100\nDebut=420\n[Cinet]\nNombre=1000\n[Vitesse]\nValeur=9\n");
    ouvreCinetique();
    EXPECT_EQ(bandeau().LambdaSE->Value(), 1100);
    EXPECT_EQ(cin().NbreMax(), 600);
    EXPECT_EQ(cin().DeltatMesure(), 10) << "above 600 steps, one second more";
    bandeau().LambdaSE->setValue(590);
    bandeau().DureeSB->stepBy(1);
    cin().close();
    const QString texte = QString::fromUtf8(litIni()).remove(u'\r');
    EXPECT_TRUE(texte.endsWith(QStringLiteral("[Lambda]\nCinet=590\nDebut=420\n[Cinet]\nNombre=600\n"
                                              "[Vitesse]\nValeur=11\n")))
        << texte.toStdString();

    // Read again at the next start. The main window wrote its speed last,
    // into the key both windows share: 9 read as "très lente", written 4.
    fenetre_.reset();
    ouvreCinetique();
    EXPECT_EQ(bandeau().LambdaSE->Value(), 590);
    EXPECT_EQ(cin().DeltatMesure(), 4);
    EXPECT_EQ(cin().NbreMax(), 600);
}

// The main window writes its speed index last, into the key both share.
TEST_F(Fermeture, leProgrammeQuiSeTermineNeDemandeNiNEcritRien)
{
    ouvreCinetique();
    prepare();
    run(20);
    bandeau().DureeSB->stepBy(1);
    fenetre_.reset();
    EXPECT_EQ(questions_, 0);
    const QByteArray texte = litIni();
    EXPECT_FALSE(texte.contains("Nombre=")) << texte.constData();
    EXPECT_TRUE(texte.contains("Valeur=2\r\n")) << texte.constData();
}

// The main window closed: every window goes, none asks anything.
TEST_F(Fermeture, fermerLaFenetrePrincipaleFermeLaCinetiqueSansQuestion)
{
    ouvreCinetique();
    prepare();
    run(20);
    f().close();
    EXPECT_EQ(questions_, 0);
    EXPECT_FALSE(litIni().contains("Nombre="));
}

// A settings file that cannot be written keeps the window open, with the box.
TEST_F(Fermeture, uneErreurDEcritureGardeLaFenetreOuverte)
{
    const QString dossier = dossier_.filePath(QStringLiteral("dossier.ini"));
    ASSERT_TRUE(QDir().mkpath(dossier));
    ouvreFenetre();
    auto* c = new TCinetiqueForm(f(), dossier);
    equipe(*c);
    c->show();
    c->close();
    EXPECT_TRUE(c->isVisible());
    ASSERT_EQ(erreurs_.size(), 1);
    EXPECT_EQ(erreurs_[0], QStringLiteral("Impossible d'écrire dans ") + dossier);
    c->close();
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(erreurs_.size(), 2);
}

// "Stop" ends a wavelength command the instrument never finishes; a command
// that could not be sent leaves the window waiting for a second "Stop".
TEST_F(Fermeture, stopPendantUneLongueurDOnde)
{
    TConfigInstrument sansFin = configRapide();
    sansFin.sansFin = true;
    sim_.setConfig(sansFin);
    ouvreCinetique();
    connecte();
    bool stop = false;
    aChaquePasse_ = [&](int passe) {
        if (passe == 30 && !stop) {
            stop = true;
            EXPECT_TRUE(cin().lambdaEnCours);
            EXPECT_TRUE(barreCin().StopBtn->isEnabled());
            EXPECT_FALSE(bandeau().LambdaBtn->isEnabled());
            barreCin().StopBtn->click();
        }
    };
    bandeau().LambdaBtn->click();
    aChaquePasse_ = nullptr;
    EXPECT_TRUE(stop);
    EXPECT_TRUE(cin().lambdaFait) << "a stopped wavelength command counts as done";
    EXPECT_FALSE(cin().lambdaEnCours);
    EXPECT_EQ(liaison().etatSpectre, TEtatSpectre::esAttente);

    TConfigInstrument muet = configRapide();
    muet.muet = true;
    sim_.setConfig(muet);
    bandeau().LambdaSE->setValue(600);
    bandeau().LambdaBtn->click();
    EXPECT_TRUE(cin().lambdaEnCours);
    EXPECT_TRUE(barreCin().StopBtn->isEnabled());
    EXPECT_FALSE(barreCin().StartBtn->isEnabled());
    EXPECT_EQ(liaison().etatSpectre, TEtatSpectre::esEcriture);
    barreCin().StopBtn->click();
    EXPECT_FALSE(cin().lambdaEnCours);
    EXPECT_EQ(liaison().etatSpectre, TEtatSpectre::esAttente);
    EXPECT_FALSE(barreCin().StopBtn->isEnabled()) << "the link is idle again, and both windows say so";
    EXPECT_TRUE(bandeau().LambdaBtn->isEnabled());
}

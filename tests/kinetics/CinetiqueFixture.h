#pragma once

#include "FenetreFixture.h"

#include "kinetics/TBandeauCinetique.h"
#include "kinetics/TBarreCinetique.h"
#include "kinetics/TCinetiqueForm.h"
#include "kinetics/TFleches.h"
#include "kinetics/TMinuterie.h"
#include "spectrum/TActionsImage.h"
#include "spectrum/TSpinEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <deque>
#include <functional>

// A reading clock that ticks only when the test says so. It remembers what
// the window asked of it.
class TMinuterieManuelle : public TMinuterie {
public:
    void declenche() { Q_EMIT tic(); }
    int lancements = 0;

protected:
    void lance(int) override { ++lancements; }
    void arrete() override {}
};

// The kinetics window beside the main window of FenetreFixture, opened by a
// press of "Cinétique", on the simulated instrument. Its clocks are the
// test's (monotonic milliseconds and time of day), its reading clock ticks by
// hand, and its boxes (error, "Sauvegarde", marker text) and the export are
// recorders, so that a 240 s run takes a few hundred milliseconds.
class CinetiqueFixture : public FenetreFixture {
protected:
    TCinetiqueForm& ouvreCinetique()
    {
        if (!fenetre_) ouvreFenetre();
        TCinetiqueForm::branche(f(), TCheminsIni{ini_, iniCommun_});
        barre().CinetiqueBtn->click();
        auto* c = dynamic_cast<TCinetiqueForm*>(f().cinetique());
        EXPECT_NE(c, nullptr);
        equipe(*c);
        return *c;
    }

    void equipe(TCinetiqueForm& c)
    {
        auto minuterie = std::make_unique<TMinuterieManuelle>();
        minuterie_ = minuterie.get();
        c.setMinuterie(std::move(minuterie));
        c.horlogeMs = [this] { return ms_; };
        c.heureDuJour = [this] { return heure_; };
        c.boiteErreur = [this](const QString& t) { erreurs_ << t; };
        c.questionSauvegarde = [this] {
            ++questions_;
            return reponseQuestion_;
        };
        c.saisieRepere = [this] {
            if (pendantSaisie_) pendantSaisie_();
            if (textesReperes_.empty()) return QString();
            const QString t = textesReperes_.front();
            textesReperes_.pop_front();
            return t;
        };
        c.exporte = [this] {
            ++exports_;
            return exportReussi_;
        };
        c.servicesImpression = impressionPdf(QStringLiteral("cinetique-impression.pdf"));
    }

    TCinetiqueForm& cin() { return *dynamic_cast<TCinetiqueForm*>(f().cinetique()); }
    TBandeauCinetique& bandeau() { return cin().bandeau(); }
    TBarreCinetique& barreCin() { return cin().barre(); }

    // Connected, wavelength set and blank taken: "Lancer" is enabled.
    void prepare()
    {
        connecte();
        bandeau().LambdaBtn->click();
        barreCin().ZeroBtn->click();
        ASSERT_TRUE(barreCin().StartBtn->isEnabled()) << cin().statut().toStdString();
    }

    void attendRepos()
    {
        ASSERT_TRUE(attendQue([this] { return !f().enCommande(); })) << cin().statut().toStdString();
    }

    // "Lancer", and its first reading in.
    void lance()
    {
        barreCin().StartBtn->click();
        attendRepos();
    }

    // The clock moves on by one time step, the reading clock ticks, and the
    // reading comes in.
    void tic(int ms = -1)
    {
        ms_ += ms >= 0 ? ms : cin().DeltatMesure() * 1000;
        minuterie_->declenche();
        attendRepos();
    }

    // Ticks until the run ends by itself (or the guard count).
    int jusquALaFin(int garde = 3000)
    {
        int tics = 0;
        while (cin().acqEnCours() && tics < garde) {
            tic();
            ++tics;
        }
        return tics;
    }

    int nbrePoints() { return cin().Graphe().nbrePoints; }
    double temps(int k) { return cin().Graphe().mondeX->valeur[static_cast<std::size_t>(k)]; }
    double absorbance(int k) { return cin().Graphe().mondeAbs->valeur[static_cast<std::size_t>(k)]; }

    int commandesD() const
    {
        int n = 0;
        for (const std::string& c : sim_.commandes()) n += c == "d" ? 1 : 0;
        return n;
    }

    TMinuterieManuelle* minuterie_ = nullptr;
    qint64 ms_ = 1'000'000;
    double heure_ = 0.5;
    int questions_ = 0;
    bool reponseQuestion_ = false;
    int exports_ = 0;
    bool exportReussi_ = true;
    std::deque<QString> textesReperes_;
    std::function<void()> pendantSaisie_;
};

#pragma once

#include "Attente.h"
#include "SortieEssais.h"

#include "graph/TVueGraphe.h"
#include "sim/TSimulateur.h"
#include "spectrum/TBarreSpectre.h"
#include "spectrum/TFormMain.h"
#include "spectrum/TPanneauSpectre.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>

// The main window on COM7, whose device is the simulated instrument's
// pseudo-terminal (every other COM number names an absent device, so the
// machine's own ports do not count). The instrument works without pacing and
// its operations are shortened; the window's waits run on a virtual clock
// (each pass: 1 ms for real, 100 ms for the answer timer), so a five-second
// time-out takes a few milliseconds. Error boxes, the "Select Port" dialog and
// the printer are replaced by recorders.
class FenetreFixture : public ::testing::Test {
protected:
    static constexpr int portSimule = 7;

    void SetUp() override
    {
        ASSERT_TRUE(dossier_.isValid());
        sim_.setConfig(configInstrument());
        ASSERT_TRUE(sim_.demarre(lien_.toStdString())) << sim_.erreur();
        ecritIni(sectionPorts());
    }

    void TearDown() override
    {
        fenetre_.reset();
        sim_.arrete();
    }

    static TConfigInstrument configRapide()
    {
        TConfigInstrument cfg;
        cfg.rapide = true;
        cfg.facteurTemps = 0.001;
        return cfg;
    }
    virtual TConfigInstrument configInstrument() const { return configRapide(); }
    // The fast instrument with one fault of its own.
    static TConfigInstrument configAvec(const std::function<void(TConfigInstrument&)>& faute)
    {
        TConfigInstrument cfg = configRapide();
        faute(cfg);
        return cfg;
    }

    // [Ports]: COM7 (and the extra numbers given) on the simulator.
    QByteArray sectionPorts(std::initializer_list<int> autres = {}) const
    {
        QByteArray texte = "[Ports]\n";
        for (int n = 1; n <= 50; ++n) {
            const bool simule = n == portSimule || std::find(autres.begin(), autres.end(), n) != autres.end();
            texte += "COM" + QByteArray::number(n) + "="
                     + (simule ? lien_.toLocal8Bit() : QByteArray("/dev/absent-lumko")) + "\n";
        }
        return texte;
    }

    void ecritIni(const QByteArray& contenu)
    {
        QFile f(ini_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenu);
    }

    QByteArray litIni() const
    {
        QFile f(ini_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TFormMain& ouvreFenetre()
    {
        fenetre_ = std::make_unique<TFormMain>(TCheminsIni{ini_, iniCommun_});
        TFormMain& f = *fenetre_;
        f.boiteErreur = [this](const QString& t) { erreurs_ << t; };
        f.dialoguePort = [this](const QStringList& e) {
            entreesDialogue_ = e;
            return choixDialogue_;
        };
        f.servicesImpression = impressionPdf(QStringLiteral("fenetre-impression.pdf"));
        TLiaison& l = f.liaison();
        l.VoieSerie.setDossierDiagnostic(dossier_.path());
        l.setDureePasse(1);
        l.setHorloge([this] { return horloge_; });
        QObject::connect(&l, &TLiaison::passeTerminee, [this] {
            horloge_ += 100;
            ++passes_;
            if (aChaquePasse_) aChaquePasse_(passes_);
        });
        f.show();
        f.setBoutons();
        return f;
    }

    TServicesImpression impressionPdf(const QString& nom)
    {
        pdf_ = fichierSortieEssais(nom);
        TServicesImpression s;
        s.confirme = [] { return true; };
        // Only a test that prints touches the file: the others run beside it.
        s.imprimante = [this] {
            QFile::remove(pdf_);
            auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(pdf_);
            p->setPageSize(QPageSize(QPageSize::A4));
            return p;
        };
        s.signale = [this](const QString& t) { erreurs_ << t; };
        return s;
    }

    TFormMain& f() { return *fenetre_; }
    TBarreSpectre& barre() { return fenetre_->barre(); }
    TPanneauSpectre& panneau() { return fenetre_->panneau(); }
    TLiaison& liaison() { return fenetre_->liaison(); }

    void connecte()
    {
        barre().ConnectBtn->click();
        ASSERT_TRUE(liaison().VoieSerie.Open()) << f().statut().toStdString();
    }

    // Connect, blank, scan, and wait for the scan's end.
    void enregistreSpectre()
    {
        connecte();
        barre().BlancBtn->click();
        ASSERT_TRUE(liaison().BlancFait) << f().statut().toStdString();
        barre().SpectreBtn->click();
        ASSERT_TRUE(attendQue([this] { return liaison().etatSpectre == TEtatSpectre::esAttente; }));
    }

    QTemporaryDir dossier_;
    QString ini_ = dossier_.filePath(QStringLiteral("lumko.ini"));
    // The shared file read for the keys ini_ lacks (none when empty).
    QString iniCommun_;
    QString lien_ = dossier_.filePath(QStringLiteral("orvanne"));
    TSimulateur sim_;
    std::unique_ptr<TFormMain> fenetre_;
    QStringList erreurs_;
    QStringList entreesDialogue_;
    int choixDialogue_ = -1;
    QString pdf_;
    std::uint32_t horloge_ = 0;
    int passes_ = 0;
    std::function<void(int)> aChaquePasse_;
};

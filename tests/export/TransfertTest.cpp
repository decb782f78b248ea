// Transfers to the analysis program, against the stand-in on its channel,
// in this process: clipboard text, conversation, macro, in the order the
// analysis program relies on.
#include "GraphesExport.h"

#include "Attente.h"
#include "common/DossierExecution.h"
#include "common/TTransfertEnCours.h"
#include "export/TConstanteDlg.h"
#include "export/TConversationDDE.h"
#include "export/TFormDDE.h"
#include "export/TSauvegarde.h"
#include "export/CanalDDE.h"
#include "export/TVerrouNomme.h"
#include "export/recepteur/TRecepteur.h"
#include "kinetics/TBarreCinetique.h"
#include "kinetics/TCinetiqueForm.h"
#include "spectrum/TBarreSpectre.h"
#include "spectrum/TFormMain.h"
#include "spectrum/TGroupeRadio.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>
#include <optional>

namespace {

// A runtime folder of the test's own, so that nothing of a real session
// is reached; the waits are recorded and last a few milliseconds.
class Transfert : public ::testing::Test {
protected:
    void SetUp() override
    {
        ancienRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        dde_ = std::make_unique<TFormDDE>();
        dde_->setConstantes(&constantes_);
        dde_->attente = [this](int ms) {
            attentes_.push_back(ms);
            if (pendantAttente) pendantAttente(ms);
            laissePasser(5);
        };
        dde_->boiteMessage = [this](const QString& t) { messages_ << t; };
        dde_->lanceProgramme = [this](const QString& p, const QStringList& a) {
            lancements_ << (a.isEmpty() ? p : p + u' ' + a.join(u' '));
            return false;
        };
        dde_->delaiAvisMs = 50;
        QGuiApplication::clipboard()->setText(QStringLiteral("avant"));
    }

    void TearDown() override
    {
        fenetre_.reset();
        recepteur_.reset();
        raccrocheur_.reset();
        dde_.reset();
        qputenv("XDG_RUNTIME_DIR", ancienRuntime_);
    }

    TRecepteur& demarreRecepteur(TRecepteur::TOptions options = {})
    {
        recepteur_ = std::make_unique<TRecepteur>(options);
        EXPECT_TRUE(recepteur_->demarre(dossierLumko())) << recepteur_->erreur().toStdString();
        return *recepteur_;
    }

    // A server that hangs up as soon as it has answered the connection: the
    // conversation is gone before the macro can be sent.
    void demarreRaccrocheur()
    {
        raccrocheur_ = std::make_unique<QLocalServer>();
        raccrocheur_->setSocketOptions(QLocalServer::UserAccessOption);
        ASSERT_TRUE(raccrocheur_->listen(canal::chemin(QStringLiteral("TABRELIX"), QStringLiteral("ServeurDDE"))));
        QObject::connect(raccrocheur_.get(), &QLocalServer::newConnection, [this] {
            while (QLocalSocket* s = raccrocheur_->nextPendingConnection()) s->abort();
        });
        dde_->delaiAvisMs = 500;
    }

    QString pressePapiers() const { return QGuiApplication::clipboard()->text(); }

    TFormMain& fenetre()
    {
        fenetre_ = std::make_unique<TFormMain>(runtime_.filePath(QStringLiteral("lumko.ini")));
        remplitSpectre(fenetre_->graphe(), {800.0, 700.0, 600.0}, {0.1, 0.2, 0.3});
        sauvegarde_ = std::make_unique<TSauvegarde>(*dde_, constantes_);
        sauvegarde_->brancheSpectre(*fenetre_);
        return *fenetre_;
    }

    // The main window with two kept spectra, both to be sent after the
    // current curve, and "vers Tabrelix" confirmed.
    TFormMain& fenetreAvecConserves()
    {
        TFormMain& f = fenetre();
        f.graphe().AddCourbeCourante();
        f.graphe().AddCourbeCourante();
        f.graphe().dataSaved = false;
        constantes_.reponse = [](TConstanteDlg&) { return true; };
        return f;
    }

    TCinetiqueForm& cinetique(TFormMain& f)
    {
        auto* c = new TCinetiqueForm(f, runtime_.filePath(QStringLiteral("lumko.ini")));
        remplitCinetique(c->Graphe(), {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0.75});
        sauvegarde_->brancheCinetique(*c);
        return *c;
    }

    QTemporaryDir runtime_;
    QByteArray ancienRuntime_;
    TConstanteDlg constantes_;
    std::unique_ptr<TFormDDE> dde_;
    std::unique_ptr<TRecepteur> recepteur_;
    std::unique_ptr<TFormMain> fenetre_;
    std::unique_ptr<TSauvegarde> sauvegarde_;
    std::unique_ptr<QLocalServer> raccrocheur_;
    std::function<void(int ms)> pendantAttente;
    std::vector<int> attentes_;
    QStringList messages_;
    QStringList lancements_;
};

// The first transfer of a run opens a new file, with the options block; the
// next one, the dialog untouched, adds a page.
TEST_F(Transfert, premierTransfertNouveauFichierPuisNouvellePage)
{
    TRecepteur& r = demarreRecepteur();
    Tgraphe g;
    remplitSpectre(g, {600.0, 700.0}, {0.5, 1.0});
    dde_->EnvoieDonneesSpectre(g, true);
    ASSERT_TRUE(attendQue([&] { return r.macros().size() == 1; }, 2000));
    ASSERT_EQ(r.evenements().size(), 2U);
    EXPECT_EQ(r.evenements()[0].genre, QStringLiteral("avis"));
    EXPECT_EQ(r.evenements()[0].contenu, QStringLiteral("ServeurItem"));
    EXPECT_EQ(r.evenements()[1].contenu, QStringLiteral("CLIP|LOAD"));
    const QString premier = r.evenements()[1].pressePapiers;
    EXPECT_TRUE(premier.endsWith(QStringLiteral("&1 NOMX\r\nλ\r\n&1 NOMY\r\nA\r\n&1 COULEUR\r\n8388608\r\n&1 LIGNE\r\n2\r\n")));
    EXPECT_EQ(premier.count(QStringLiteral("\r\n")), 6 + 2 + 8);
    EXPECT_FALSE(constantes_.nouveauFichier());
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_TRUE(lancements_.isEmpty()) << "the stand-in holds the name: nothing to start";

    dde_->EnvoieDonneesSpectre(g, true);
    ASSERT_TRUE(attendQue([&] { return r.macros().size() == 2; }, 2000));
    EXPECT_EQ(r.macros()[1], QStringLiteral("CLIP|ADD"));
    EXPECT_EQ(r.evenements().back().pressePapiers.count(QStringLiteral("\r\n")), 6 + 2);
}

// Three kept spectra: with the current curve kept last, it goes first and
// then kept spectra 0 and 1; with a newer current curve, then 0, 1 and 2.
// Each kept spectrum after a 1000 ms wait, each with "CLIP|ADD".
TEST_F(Transfert, spectresConservesApresLaCourbeCourante)
{
    struct Cas {
        bool dataSaved;
        int conserves;
    };
    TRecepteur& r = demarreRecepteur();
    for (const Cas c : {Cas{true, 2}, Cas{false, 3}}) {
        Tgraphe g;
        for (int i = 0; i < 3; ++i) {
            remplitSpectre(g, {500.0 + i, 600.0 + i}, {0.1 * (i + 1), 0.2});
            g.AddCourbeCourante();
        }
        remplitSpectre(g, {800.0, 900.0}, {1.0, 2.0});
        g.dataSaved = c.dataSaved;
        const std::size_t avant = r.macros().size();
        attentes_.clear();
        dde_->EnvoieDonneesSpectre(g, true);
        ASSERT_TRUE(attendQue([&] { return r.macros().size() == avant + 1 + c.conserves; }, 2000));
        EXPECT_EQ(attentes_, std::vector<int>(static_cast<std::size_t>(c.conserves), 1000));
        const auto& e = r.evenements();
        std::vector<QString> textes;
        for (const auto& ev : e)
            if (ev.genre == u"macro") textes.push_back(ev.pressePapiers);
        const std::vector<QString> recus(textes.end() - 1 - c.conserves, textes.end());
        EXPECT_TRUE(recus[0].contains(QStringLiteral("\r\n800\t1\t0.1\r\n900\t2\t0.01\r\n"))) << "the current curve first";
        for (int i = 0; i < c.conserves; ++i) {
            const QString premiereLigne = QString::number(500 + i) + u'\t' + QString::number(0.1 * (i + 1)) + u'\t';
            EXPECT_TRUE(recus[static_cast<std::size_t>(i + 1)].contains(QStringLiteral("\r\n") + premiereLigne)) << i;
            EXPECT_TRUE(recus[static_cast<std::size_t>(i + 1)].contains(QStringLiteral("Longueur d'onde\t\r\n")));
        }
        for (std::size_t k = avant + 1; k < r.macros().size(); ++k) EXPECT_EQ(r.macros()[k], QStringLiteral("CLIP|ADD"));
    }
}

// Kept spectra have no journal: they leave the window only once the
// analysis program has them all or their file is written. The clipboard
// carries the current curve alone.
TEST_F(Transfert, lesSpectresConservesRestentTantQuIlsNeSontPasRemis)
{
    enum class Issue { annule, echoue, reussi };
    struct Cas {
        const char* nom;
        QAction* TBarreSpectre::*destination;
        Issue issue;
        bool remis;
        std::size_t conserves;
        std::size_t macros;
    };
    const Cas cas[] = {
        {"Tabrelix, dialogue annulé", &TBarreSpectre::TabrelixM, Issue::annule, false, 2, 0},
        {"Tabrelix, programme absent", &TBarreSpectre::TabrelixM, Issue::echoue, false, 2, 0},
        {"Tabrelix, transmis", &TBarreSpectre::TabrelixM, Issue::reussi, true, 0, 3},
        {"presse-papiers", &TBarreSpectre::ClipM, Issue::reussi, true, 2, 0},
        {"fichier, dialogue annulé", &TBarreSpectre::FileM, Issue::annule, false, 2, 0},
        {"fichier, écriture impossible", &TBarreSpectre::FileM, Issue::echoue, false, 2, 0},
        {"fichier, écrit", &TBarreSpectre::FileM, Issue::reussi, true, 0, 0},
    };
    ASSERT_TRUE(QDir().mkpath(runtime_.filePath(QStringLiteral("pris.tb3"))));
    for (const Cas& c : cas) {
        recepteur_.reset();
        if (c.issue != Issue::echoue) demarreRecepteur();
        TFormMain& f = fenetreAvecConserves();
        (f.barre().*c.destination)->setChecked(true);
        constantes_.reponse = [&](TConstanteDlg&) { return c.issue != Issue::annule; };
        const QString fichier = c.issue == Issue::annule   ? QString()
                                : c.issue == Issue::echoue ? runtime_.filePath(QStringLiteral("pris.tb3"))
                                                           : runtime_.filePath(QStringLiteral("essai.tb3"));
        sauvegarde_->dialogueFichier = [&](QWidget*, const QString&, const QString&) { return fichier; };
        sauvegarde_->boiteErreur = [](QWidget*, const QString&, const QString&) {};
        EXPECT_EQ(sauvegarde_->SaveBtnClick(f), c.remis) << c.nom;
        EXPECT_EQ(f.graphe().listeDonnees.size(), c.conserves) << c.nom;
        if (recepteur_) {
            EXPECT_TRUE(attendQue([&] { return recepteur_->macros().size() == c.macros; }, 2000)) << c.nom;
        }
    }
}

// A transfer that cannot be made marks nothing saved: both windows keep
// their journals, the run stays unsaved, the page choice still asks for a
// new file, the message comes once for the curve and all its kept spectra,
// and the clipboard holds the text for the user to paste.
TEST_F(Transfert, unTransfertEchoueNeSauveRien)
{
    struct Cas {
        const char* nom;
        bool raccroche;
        QString message;
    };
    for (const Cas& c : {Cas{"programme absent", false, TFormDDE::texteImpossible},
                         Cas{"conversation coupée", true, TFormDDE::texteNonExecute}}) {
        raccrocheur_.reset();
        if (c.raccroche) demarreRaccrocheur();
        messages_.clear();
        TFormMain& f = fenetreAvecConserves();
        TCinetiqueForm& k = cinetique(f);
        f.journal().commence({{QStringLiteral("fenetre"), QStringLiteral("spectre")}});
        k.journal().commence({{QStringLiteral("fenetre"), QStringLiteral("cinetique")}});
        f.SaveBtnClick();
        EXPECT_EQ(messages_, QStringList{c.message}) << c.nom;
        EXPECT_TRUE(pressePapiers().contains(QStringLiteral("\r\n600\t0.3\t"))) << c.nom;
        k.SaveBtnClick();
        EXPECT_EQ(messages_, (QStringList{c.message, c.message})) << c.nom;
        EXPECT_TRUE(pressePapiers().contains(QStringLiteral("\r\nt\tA\r\ns\t\r\n"))) << c.nom;
        EXPECT_FALSE(k.DejaSauve) << c.nom;
        EXPECT_TRUE(QFile::exists(f.journal().chemin())) << c.nom;
        EXPECT_TRUE(QFile::exists(k.journal().chemin())) << c.nom;
        EXPECT_TRUE(constantes_.nouveauFichier()) << c.nom;
    }
}

// The clipboard alone: the current curve, no kept spectra, the page choice
// left; the kinetics window's copy sets it to "Nouvelle page".
TEST_F(Transfert, pressePapiersSeul)
{
    TRecepteur& r = demarreRecepteur();
    TFormMain& f = fenetre();
    f.graphe().AddCourbeCourante();
    f.barre().ClipM->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.barre().ClipM->isChecked());
    EXPECT_TRUE(pressePapiers().startsWith(QCoreApplication::applicationFilePath() + QStringLiteral("\r\nSpectre  ")));
    EXPECT_TRUE(pressePapiers().contains(QStringLiteral("\r\n600\t0.3\t0.5011872\r\n700\t0.2\t0.6309573\r\n800\t0.1\t0.7943282\r\n&1 NOMX\r\n")))
        << "with the options block while the page choice is a new file";
    EXPECT_TRUE(constantes_.nouveauFichier());
    laissePasser(20);
    EXPECT_TRUE(r.evenements().empty());

    auto* c = new TCinetiqueForm(f, runtime_.filePath(QStringLiteral("lumko.ini")));
    remplitCinetique(c->Graphe(), {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0.75});
    sauvegarde_->brancheCinetique(*c);
    constantes_.EditComm->setText(QStringLiteral("groupe B"));
    c->barre().ClipM->trigger();
    EXPECT_FALSE(c->DejaSauve) << "the transfer follows the choice, not inside it";
    QCoreApplication::processEvents();
    EXPECT_TRUE(c->DejaSauve);
    EXPECT_FALSE(constantes_.nouveauFichier());
    EXPECT_TRUE(pressePapiers().contains(QStringLiteral("\r\ngroupe B\r\nt\tA\r\ns\t\r\n0\t1\r\n")));
    EXPECT_TRUE(pressePapiers().endsWith(QStringLiteral("20\t0.75\r\n")));
}

// The kinetics window to the analysis program: "Sauvegarde" then the dialog.
TEST_F(Transfert, cinetiqueVersTabrelix)
{
    TRecepteur& r = demarreRecepteur();
    TFormMain& f = fenetre();
    auto* c = new TCinetiqueForm(f, runtime_.filePath(QStringLiteral("lumko.ini")));
    remplitCinetique(c->Graphe(), {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0.75});
    sauvegarde_->brancheCinetique(*c);
    bool confirme = false;
    constantes_.reponse = [&](TConstanteDlg&) { return confirme; };
    c->SaveBtnClick();
    EXPECT_FALSE(c->DejaSauve) << "the dialog was cancelled";
    confirme = true;
    c->SaveBtnClick();
    EXPECT_TRUE(c->DejaSauve);
    ASSERT_TRUE(attendQue([&] { return r.macros().size() == 1; }, 2000));
    EXPECT_EQ(r.macros()[0], QStringLiteral("CLIP|LOAD"));
    EXPECT_TRUE(r.evenements().back().pressePapiers.contains(QStringLiteral("\r\nt\tA\r\ns\t\r\n")));
    EXPECT_FALSE(constantes_.nouveauFichier());
}

// One start of the analysis program at most per "Sauver", whether the
// probe or a connection attempt asks for it, kept spectra included; the
// two-second wait only after a start that took. The next "Sauver" may try
// once more (the name is ours by then: the attempt starts it).
TEST_F(Transfert, unSeulLancementParSauvegarde)
{
    struct Cas {
        const char* nom;
        bool lancementReussi;
        bool partApresLaCourante;
        std::vector<int> attentes;
    };
    const Cas cas[] = {
        {"absent, lancement impossible", false, false, {1000}},
        {"lancé mais muet", true, false, {2000, 1000}},
        {"parti après la courbe courante", false, true, {1000, 1000}},
    };
    for (const Cas& c : cas) {
        dde_->sonde = std::make_unique<TVerrouNomme>(QStringLiteral("Tabrelix"), runtime_.path());
        recepteur_.reset();
        if (c.partApresLaCourante) demarreRecepteur();
        pendantAttente = [this](int) { recepteur_.reset(); };
        dde_->lanceProgramme = [&](const QString& p, const QStringList&) {
            lancements_ << p;
            return c.lancementReussi;
        };
        lancements_.clear();
        attentes_.clear();
        TFormMain& f = fenetreAvecConserves();
        EXPECT_FALSE(sauvegarde_->SaveBtnClick(f)) << c.nom;
        EXPECT_EQ(lancements_.size(), 1) << c.nom;
        EXPECT_EQ(attentes_, c.attentes) << c.nom;

        lancements_.clear();
        EXPECT_FALSE(sauvegarde_->SaveBtnClick(f)) << c.nom;
        EXPECT_EQ(lancements_.size(), 1) << c.nom;
    }
}

// Clicks let in by the page dialog or by a wait start nothing inside the
// transfer: neither window's "Sauver" runs until it is over.
TEST_F(Transfert, rienNeDemarrePendantUnTransfert)
{
    TRecepteur& r = demarreRecepteur();
    TFormMain& f = fenetreAvecConserves();
    TCinetiqueForm& k = cinetique(f);
    const auto cliqueSauver = [&] {
        f.SaveBtnClick();
        k.SaveBtnClick();
    };
    int dialogues = 0;
    constantes_.reponse = [&](TConstanteDlg&) {
        if (++dialogues == 1) cliqueSauver();
        return true;
    };
    pendantAttente = [&](int) {
        if (attentes_.size() == 1) cliqueSauver();
    };
    EXPECT_TRUE(sauvegarde_->SaveBtnClick(f));
    EXPECT_EQ(dialogues, 1);
    EXPECT_FALSE(k.DejaSauve);
    EXPECT_EQ(attentes_, (std::vector<int>{1000, 1000}));
    ASSERT_TRUE(attendQue([&] { return r.macros().size() == 3; }, 2000));
    laissePasser(20);
    EXPECT_EQ(r.macros().size(), 3U);
    EXPECT_FALSE(TTransfertEnCours::actif());
}

// Started by the probe: a two-second wait for it to come up.
TEST_F(Transfert, programmeDemarreParLaSonde)
{
    std::optional<TRecepteur> r;
    dde_->lanceProgramme = [&](const QString& p, const QStringList&) {
        lancements_ << p;
        if (!r) {
            TRecepteur::TOptions o;
            o.prendNom = false;
            r.emplace(o);
            r->demarre(runtime_.path());
        }
        return true;
    };
    dde_->Execute(Tenvoi::eLoad);
    EXPECT_EQ(attentes_, std::vector<int>{2000});
    EXPECT_EQ(lancements_.size(), 1);
    ASSERT_TRUE(attendQue([&] { return r->macros().size() == 1; }, 2000));
    EXPECT_EQ(r->macros()[0], QStringLiteral("CLIP|LOAD"));
}

// A name lock that cannot be had says so once; the first transfer starts the
// analysis program (the probe found no holder), the later ones take it to be
// running: no second start, no second wait. A link in place of the lock is
// never followed.
TEST_F(Transfert, verrouImpossibleSignaleUneFois)
{
    const QString cible = runtime_.filePath(QStringLiteral("cible"));
    const QString noms = runtime_.filePath(QStringLiteral("noms"));
    ASSERT_TRUE(QDir().mkpath(noms));
    ASSERT_TRUE(QFile::link(cible, noms + QStringLiteral("/Tabrelix.lock")));
    struct Cas {
        const char* nom;
        QString dossier;
    };
    for (const Cas& c : {Cas{"un lien à la place du verrou", noms},
                         Cas{"un dossier absent", runtime_.filePath(QStringLiteral("absent"))},
                         Cas{"pas de dossier", QString()}}) {
        dde_->sonde = std::make_unique<TVerrouNomme>(QStringLiteral("Tabrelix"), c.dossier);
        TRecepteur::TOptions o;
        o.prendNom = false;
        recepteur_.reset();
        TRecepteur& r = demarreRecepteur(o);
        dde_->lanceProgramme = [&](const QString& p, const QStringList&) {
            lancements_ << p;
            return true;
        };
        messages_.clear();
        lancements_.clear();
        attentes_.clear();
        for (int transfert = 0; transfert < 3; ++transfert) EXPECT_TRUE(dde_->Execute(Tenvoi::eAdd)) << c.nom;
        ASSERT_EQ(messages_.size(), 1) << c.nom;
        EXPECT_EQ(messages_[0], TFormDDE::texteSondeImpossible(dde_->sonde->echec())) << c.nom;
        EXPECT_TRUE(messages_[0].contains(QStringLiteral("Tabrelix"))) << c.nom;
        EXPECT_EQ(lancements_.size(), 1) << c.nom;
        EXPECT_EQ(attentes_, std::vector<int>{2000}) << c.nom;
        EXPECT_TRUE(dde_->sonde->existeDeja()) << c.nom;
        EXPECT_FALSE(dde_->sonde->tenu()) << c.nom;
        ASSERT_TRUE(attendQue([&] { return r.macros().size() == 3; }, 2000)) << c.nom;
        EXPECT_FALSE(QFileInfo::exists(cible)) << c.nom;
    }
}

// An analysis program that refuses the advise link, or never answers, still
// gets the macro; only the second service name answering is tried again.
TEST_F(Transfert, avisRefuseOuSansReponse)
{
    struct Cas {
        const char* nom;
        bool refuse;
        bool muet;
        QString service;
    };
    for (const Cas& c : {Cas{"refus", true, false, QStringLiteral("TABRELIX")},
                         Cas{"muet", false, true, QStringLiteral("TABRELIX")},
                         Cas{"second nom", false, false, QStringLiteral("Tabrelix")}}) {
        TRecepteur::TOptions o;
        o.refuseAvis = c.refuse;
        o.muet = c.muet;
        o.services = {c.service};
        recepteur_.reset();
        TRecepteur& r = demarreRecepteur(o);
        messages_.clear();
        dde_->Execute(Tenvoi::eAdd);
        ASSERT_TRUE(attendQue([&] { return r.macros().size() == 1; }, 2000)) << c.nom;
        EXPECT_EQ(r.macros()[0], QStringLiteral("CLIP|ADD")) << c.nom;
        EXPECT_TRUE(messages_.isEmpty()) << c.nom;
    }
}

// Lumko's own topic: one line brings the main window forward, anything
// else does nothing; both are accepted.
TEST_F(Transfert, serveurPropre)
{
    ASSERT_TRUE(dde_->ecouteServeur(QStringLiteral("lumko")));
    int activations = 0;
    QObject::connect(dde_.get(), &TFormDDE::activationDemandee, [&] { ++activations; });
    struct Cas {
        QByteArray requete;
        int activations;
    };
    for (const Cas& c : {Cas{"X", 1}, Cas{"ligne\r\n", 1}, Cas{"un\r\ndeux", 0}, Cas{"", 0}}) {
        activations = 0;
        TConversationDDE conversation;
        ASSERT_TRUE(conversation.connecte(QStringLiteral("lumko"), QStringLiteral("ServeurDDE")));
        EXPECT_FALSE(conversation.demandeAvis(QStringLiteral("ServeurItem"), 500)) << "no items";
        ASSERT_TRUE(conversation.execute(c.requete));
        EXPECT_TRUE(attendQue([&] { return activations == c.activations; }, 500)) << c.requete.constData();
        laissePasser(20);
        EXPECT_EQ(activations, c.activations) << c.requete.constData();
    }
    TFormDDE autre;
    EXPECT_FALSE(autre.ecouteServeur(QStringLiteral("lumko"))) << "a second server of the same name";
}

// Only this user's sockets are trusted: a plain file in their place is not
// one, and a name cannot leave the channel's folder.
TEST_F(Transfert, leCanalNeSortPasDuDossierPrive)
{
    const QString faux = canal::chemin(QStringLiteral("FAUX"), QStringLiteral("ServeurDDE"));
    QFile f(faux);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    TConversationDDE conversation;
    EXPECT_FALSE(conversation.connecte(QStringLiteral("FAUX"), QStringLiteral("ServeurDDE")));
    EXPECT_TRUE(canal::chemin(QStringLiteral("../x"), QStringLiteral("ServeurDDE")).isEmpty());
    EXPECT_TRUE(canal::chemin(QStringLiteral("a b"), QStringLiteral("ServeurDDE")).isEmpty());
    EXPECT_EQ(QFileInfo(canal::dossier()).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
}

} // namespace

namespace {

// The analysis program's path: a text setting, or "tabrelix" on the PATH.
TEST_F(Transfert, cheminDuProgrammeDAnalyse)
{
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    QSettings reglages(QStringLiteral("Tabrelix"), QStringLiteral("Tabrelix"));
    struct Cas {
        const char* nom;
        QVariant valeur;
        QString attendu;
    };
    const Cas cas[] = {
        {"absent", QVariant(), QStringLiteral("tabrelix")},
        {"texte", QStringLiteral("/opt/tabrelix/bin/tabrelix"), QStringLiteral("/opt/tabrelix/bin/tabrelix")},
        {"liste", QStringList{QStringLiteral("a"), QStringLiteral("b")}, QStringLiteral("tabrelix")},
        {"octets", QByteArray("\x01\x02", 2), QStringLiteral("tabrelix")},
    };
    for (const Cas& c : cas) {
        if (c.valeur.isValid())
            reglages.setValue(QStringLiteral("Path"), c.valeur);
        else
            reglages.remove(QStringLiteral("Path"));
        reglages.sync();
        EXPECT_EQ(TFormDDE::litCheminApplication(), c.attendu) << c.nom;
    }
}

TEST(ConstanteDlg, TextesEtValeursDeDepart)
{
    TConstanteDlg d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Renseignements sur la page courante"));
    EXPECT_EQ(d.NewPageCB->title(), QStringLiteral("Données vers Tabrelix"));
    EXPECT_EQ(d.NewPageCB->bouton(0)->text(), QStringLiteral("Nouveau fichier"));
    EXPECT_EQ(d.NewPageCB->bouton(1)->text(), QStringLiteral("Nouvelle page"));
    EXPECT_TRUE(d.nouveauFichier());
    EXPECT_TRUE(d.commentaire().isEmpty());
    EXPECT_EQ(d.OKBtn->text(), QStringLiteral("OK"));
    EXPECT_EQ(d.CancelBtn->text(), QStringLiteral("Annuler"));
    EXPECT_EQ(d.HelpBtn->text(), QStringLiteral("&Aide"));
    EXPECT_TRUE(d.OKBtn->isDefault());
    EXPECT_TRUE(d.isModal());
    EXPECT_EQ(d.EditComm->accessibleName(), QStringLiteral("Commentaire"));
    d.setNouvellePage();
    EXPECT_FALSE(d.nouveauFichier());
}

} // namespace

// Runs against the simulated instrument: readiness, the default run, Stop,
// "Lancer" again, markers, and what the window decides where the reading
// clock, the system clock or the capacity could go wrong.
#include "CinetiqueFixture.h"

#include "graph/Couleurs.h"
#include "common/TJournalMesures.h"
#include "kinetics/TextesCinetique.h"
#include "LocaleScope.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QImage>
#include <QTime>

#include <cmath>
#include <set>

class Acquisition : public CinetiqueFixture {};

TEST_F(Acquisition, lancerAttendLaLongueurDOndePuisLeBlanc)
{
    ouvreCinetique();
    connecte();
    EXPECT_FALSE(barreCin().StartBtn->isEnabled());
    bandeau().LambdaSE->setValue(590);
    bandeau().LambdaBtn->click();
    EXPECT_TRUE(cin().lambdaFait);
    EXPECT_FALSE(barreCin().StartBtn->isEnabled());
    EXPECT_TRUE(barreCin().ZeroBtn->isEnabled());
    barreCin().ZeroBtn->click();
    EXPECT_TRUE(barreCin().StartBtn->isEnabled());
    const std::vector<std::string> attendues{"w5900", "x"};
    EXPECT_EQ(sim_.commandes(), attendues);

    // A new value in the box needs both again; a new wavelength needs a new blank.
    bandeau().LambdaSE->setValue(600);
    EXPECT_FALSE(cin().lambdaFait);
    EXPECT_FALSE(barreCin().StartBtn->isEnabled());
    bandeau().LambdaBtn->click();
    EXPECT_FALSE(barreCin().StartBtn->isEnabled());
    barreCin().ZeroBtn->click();
    EXPECT_TRUE(barreCin().StartBtn->isEnabled());
}

// 2 s x 120: readings at 0, 2 ... 242 s; the one stamped past 240 s ends the
// run and is its last point; then the axes take the run's extent.
TEST_F(Acquisition, laRunParDefautDonne122Points)
{
    ouvreCinetique();
    prepare();
    lance();
    EXPECT_TRUE(cin().acqEnCours());
    EXPECT_TRUE(minuterie_->active());
    EXPECT_EQ(minuterie_->periode(), 2000);
    EXPECT_EQ(nbrePoints(), 1) << "the first reading is asked for at once";
    EXPECT_TRUE(bandeau().PanelDuree->isVisible());
    EXPECT_FALSE(barreCin().SaveBtn->isEnabled());
    EXPECT_EQ(cin().Graphe().mondeAbs->maxi, 3.0);

    jusquALaFin();
    EXPECT_FALSE(cin().acqEnCours());
    EXPECT_FALSE(minuterie_->active());
    ASSERT_EQ(nbrePoints(), 122);
    for (int k = 0; k < 122; ++k) ASSERT_EQ(temps(k), 2.0 * k) << k;
    EXPECT_EQ(temps(121), 242.0);
    double plusGrande = 0.0;
    for (int k = 0; k < 122; ++k) {
        EXPECT_GT(absorbance(k), 1.2) << k;
        EXPECT_LT(absorbance(k), 1.8) << k;
        plusGrande = std::max(plusGrande, absorbance(k));
    }
    EXPECT_EQ(cin().Graphe().mondeX->maxi, 240.0);
    EXPECT_EQ(cin().Graphe().mondeAbs->maxi, plusGrande);
    EXPECT_TRUE(barreCin().SaveBtn->isEnabled());
    EXPECT_TRUE(barreCin().ResetBtn->isEnabled());
    EXPECT_FALSE(bandeau().PanelDuree->isVisible());
    EXPECT_EQ(commandesD(), 122);
}

TEST_F(Acquisition, lesIndicateursSuiventChaqueLecture)
{
    LocaleScope francais(LocaleScope::francais());
    ouvreCinetique();
    prepare();
    lance();
    for (int k = 0; k < 45; ++k) tic();
    EXPECT_EQ(bandeau().PanelDuree->text(), QStringLiteral("00:01:30"));
    EXPECT_EQ(bandeau().PanelAbs->text(), texteAbsorbance(absorbance(45), LocaleScope::francais()));
    EXPECT_TRUE(bandeau().PanelAbs->text().contains(u','));
    barreCin().StopBtn->click();
    barreCin().ResetBtn->click();
    EXPECT_TRUE(bandeau().PanelDuree->text().isEmpty());
    EXPECT_TRUE(bandeau().PanelAbs->text().isEmpty());
}

TEST_F(Acquisition, stopGardeOuEffaceSelonLeNombreDePoints)
{
    struct Cas {
        int lectures;
        int gardes;
    };
    ouvreCinetique();
    prepare();
    for (const Cas c : {Cas{10, 0}, Cas{11, 11}}) {
        textesReperes_ = {QStringLiteral("ajout")};
        lance();
        barreCin().RepereBtn->click();
        while (nbrePoints() < c.lectures) tic();
        barreCin().StopBtn->click();
        EXPECT_FALSE(cin().acqEnCours());
        EXPECT_FALSE(minuterie_->active());
        EXPECT_EQ(nbrePoints(), c.gardes) << c.lectures;
        EXPECT_EQ(cin().Graphe().listeRepere.size(), c.gardes > 0 ? 1U : 0U) << c.lectures;
        EXPECT_EQ(barreCin().SaveBtn->isEnabled(), c.gardes > 0);
        EXPECT_EQ(barreCin().ResetBtn->isEnabled(), c.gardes > 0);
        EXPECT_TRUE(barreCin().StartBtn->isEnabled()) << "ready again without a new blank";
    }
    // Kept: the axes span the run, at least 1 in absorbance.
    EXPECT_EQ(cin().Graphe().mondeX->maxi, 240.0);
    EXPECT_GE(cin().Graphe().mondeAbs->maxi, 1.0);
    barreCin().ResetBtn->click();
    EXPECT_EQ(nbrePoints(), 0);
    EXPECT_TRUE(cin().Graphe().listeRepere.empty());
}

// "Lancer" stays enabled: a second press starts a new run at once, after the
// question when the run under way would be lost.
TEST_F(Acquisition, lancerPendantUneRunDemandeLaSauvegarde)
{
    ouvreCinetique();
    prepare();
    lance();
    for (int k = 0; k < 5; ++k) tic();
    lance();
    EXPECT_EQ(questions_, 0) << "10 points or fewer: nothing to ask";
    EXPECT_EQ(nbrePoints(), 1);

    for (int k = 0; k < 14; ++k) tic();
    reponseQuestion_ = false;
    lance();
    EXPECT_EQ(questions_, 1);
    EXPECT_EQ(exports_, 0) << "\"Non\" exports nothing";
    EXPECT_TRUE(cin().acqEnCours());
    EXPECT_EQ(nbrePoints(), 1);
    EXPECT_EQ(temps(0), 0.0);

    for (int k = 0; k < 14; ++k) tic();
    reponseQuestion_ = true;
    lance();
    EXPECT_EQ(questions_, 2);
    EXPECT_EQ(exports_, 1);
    EXPECT_FALSE(cin().DejaSauve) << "a new run is not exported yet";
}

// A marker bears the time of the press; the run goes on behind the box; a
// cancelled box still adds one, with an empty text.
TEST_F(Acquisition, reperesAuMomentDeLAppui)
{
    ouvreCinetique();
    prepare();
    lance();
    for (int k = 0; k < 3; ++k) tic();
    ms_ += 1500;
    pendantSaisie_ = [this] {
        tic(4000);
        tic(2000);
    };
    textesReperes_ = {QStringLiteral("ajout du réactif")};
    barreCin().RepereBtn->click();
    pendantSaisie_ = nullptr;
    ASSERT_EQ(cin().Graphe().listeRepere.size(), 1U);
    EXPECT_EQ(cin().Graphe().listeRepere[0].Valeur, 7.0);
    EXPECT_EQ(cin().Graphe().listeRepere[0].Text, QStringLiteral("ajout du réactif"));
    EXPECT_EQ(nbrePoints(), 6) << "readings went on behind the box";

    barreCin().RepereBtn->click();
    ASSERT_EQ(cin().Graphe().listeRepere.size(), 2U);
    EXPECT_EQ(cin().Graphe().listeRepere[1].Valeur, 13.0);
    EXPECT_TRUE(cin().Graphe().listeRepere[1].Text.isEmpty());
}

// "Abs ?" of the main window during a run is a point of the run too.
TEST_F(Acquisition, absDeLaFenetrePrincipaleDevientUnPoint)
{
    ouvreCinetique();
    prepare();
    lance();
    tic();
    ms_ += 700;
    panneau().AbsBtn->click();
    attendRepos();
    ASSERT_EQ(nbrePoints(), 3);
    EXPECT_EQ(temps(2), 2.0);
    EXPECT_EQ(panneau().AbsEdit->text().toDouble(), absorbance(2));
}

// Elapsed seconds come from the monotonic clock: midnight, or the system
// clock set back an hour in the middle of the run, changes no stamp.
TEST_F(Acquisition, minuitEtChangementDHeureNeTouchentPasLesTemps)
{
    const auto heure = [](int h, int m, int s) { return QTime(h, m, s).msecsSinceStartOfDay() / 86400000.0; };
    ouvreCinetique();
    prepare();
    heure_ = heure(23, 59, 50);
    lance();
    EXPECT_EQ(cin().InstantDebut, heure(23, 59, 50));
    for (int k = 1; k <= 10; ++k) {
        heure_ = std::fmod(heure(23, 59, 50) + 2.0 * k / 86400.0, 1.0);
        if (k == 6) heure_ -= 1.0 / 24.0;
        tic();
    }
    ASSERT_EQ(nbrePoints(), 11);
    for (int k = 0; k <= 10; ++k) EXPECT_EQ(temps(k), 2.0 * k) << k;
}

// A settings file left with 0 s (the main window's "très rapide") would give
// a clock that never ticks: the window starts with 1 s.
TEST_F(Acquisition, unPasDeZeroDevientUneSeconde)
{
    ecritIni(sectionPorts() + "[Vitesse]\nValeur=0\n");
    ouvreCinetique();
    EXPECT_EQ(cin().DeltatMesure(), 1);
    EXPECT_EQ(bandeau().LabelDeltat->text(), QStringLiteral("dt=1 s"));
    EXPECT_EQ(cin().DureeMesure(), 120);
    prepare();
    lance();
    EXPECT_EQ(minuterie_->periode(), 1000);
    EXPECT_TRUE(minuterie_->active());
}

TEST_F(Acquisition, auDelaDe65535sRienNeChange)
{
    ecritIni(sectionPorts() + "[Vitesse]\nValeur=109\n[Cinet]\nNombre=600\n");
    ouvreCinetique();
    ASSERT_EQ(cin().DureeMesure(), 65400);
    prepare();
    lance();
    for (int k = 0; k < 3; ++k) tic();
    bandeau().DureeSB->stepBy(1);
    EXPECT_EQ(cin().DeltatMesure(), 109);
    EXPECT_EQ(cin().NbreMax(), 600);
    EXPECT_EQ(cin().DureeMesure(), 65400);
    EXPECT_EQ(nbrePoints(), 4);
    EXPECT_EQ(cin().statut(), QStringLiteral("Changement refusé : la durée totale dépasserait 65535 s (18:12:15)"));
    EXPECT_EQ(bandeau().LabelDeltat->text(), QStringLiteral("dt=109 s")) << "a refused change is no change";
}

// Ticks that fall while a reading is still on its way, or while the main
// window runs a command of its own, send nothing; the next one asks again.
TEST_F(Acquisition, unTicPendantUneAttenteEstSaute)
{
    ouvreCinetique();
    prepare();
    int ticsPendant = 0;
    aChaquePasse_ = [&](int) {
        ++ticsPendant;
        minuterie_->declenche();
    };
    lance();
    EXPECT_GE(ticsPendant, 2);
    EXPECT_EQ(commandesD(), 1);
    EXPECT_EQ(nbrePoints(), 1);

    ticsPendant = 0;
    barre().BlancBtn->click();
    EXPECT_GE(ticsPendant, 2);
    EXPECT_EQ(commandesD(), 1) << "no reading inside the main window's blank";
    aChaquePasse_ = nullptr;
    tic();
    EXPECT_EQ(commandesD(), 2);
    EXPECT_EQ(nbrePoints(), 2);
}

// The instrument does not answer: a tick's reading is missing and the next
// tick asks again (the failed request does not count as pending).
TEST_F(Acquisition, uneLectureSansReponseNEmpechePasLaSuivante)
{
    ouvreCinetique();
    prepare();
    lance();
    TConfigInstrument muet = configRapide();
    muet.muet = true;
    sim_.setConfig(muet);
    tic();
    EXPECT_EQ(nbrePoints(), 1);
    EXPECT_EQ(cin().statut(), QStringLiteral("Pas de réponse à Enquiry"));
    sim_.setConfig(configRapide());
    tic();
    EXPECT_EQ(nbrePoints(), 2);
    EXPECT_EQ(temps(1), 4.0);
}

// The 2001st reading fills the run: it is kept, and it is the last.
TEST_F(Acquisition, la2001eLectureEstGardeeEtTermineLaRun)
{
    ouvreCinetique();
    prepare();
    lance();
    while (nbrePoints() < 2000) cin().setAbs(0.25);
    EXPECT_TRUE(cin().acqEnCours());
    cin().setAbs(0.75);
    EXPECT_FALSE(cin().acqEnCours());
    EXPECT_FALSE(minuterie_->active());
    EXPECT_EQ(nbrePoints(), 2001);
    EXPECT_EQ(cin().Graphe().mondeAbs->valeur[2000], 0.75);
    EXPECT_EQ(cin().statut(), QStringLiteral("Capacité maximale atteinte : 2001 points"));
    EXPECT_TRUE(barreCin().SaveBtn->isEnabled());
}

TEST_F(Acquisition, uneLectureQuiNEstPasUnNombreEstIgnoree)
{
    ouvreCinetique();
    prepare();
    lance();
    const QString avant = bandeau().PanelAbs->text();
    for (const double v : {std::nan(""), HUGE_VAL}) cin().setAbs(v);
    EXPECT_EQ(nbrePoints(), 1);
    EXPECT_EQ(bandeau().PanelAbs->text(), avant);
}

// What a person sees after a run with three markers.
TEST_F(Acquisition, captureApresUneRunAvecTroisReperes)
{
    LocaleScope francais(LocaleScope::francais());
    // The dye fades in real seconds: fast enough here for the decay to show.
    TConfigInstrument colorantRapide = configRapide();
    colorantRapide.demiVie = 0.3;
    sim_.setConfig(colorantRapide);
    ecritIni(sectionPorts() + "[Cinet]\nNombre=30\n");
    ouvreCinetique();
    cin().show();
    prepare();
    lance();
    textesReperes_ = {QStringLiteral("réactif"), QStringLiteral("agitation"), QStringLiteral("chauffage")};
    while (cin().acqEnCours()) {
        tic();
        if (nbrePoints() == 6 || nbrePoints() == 16 || nbrePoints() == 26) barreCin().RepereBtn->click();
    }
    ASSERT_EQ(cin().Graphe().listeRepere.size(), 3U);
    laissePasser();
    const QImage image = cin().grab().toImage();
    ASSERT_TRUE(image.save(fichierSortieEssais(QStringLiteral("cinetique-trois-reperes.png"))));
    // Three dashed vertical lines in the graph, where the markers stand.
    const QImage vue = cin().Oscillo().grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::set<int> colonnes;
    for (int x = 0; x < vue.width(); ++x) {
        int n = 0;
        for (int y = 0; y < vue.height(); ++y) n += vue.pixelColor(x, y) == couleurs[0] ? 1 : 0;
        if (n > vue.height() / 4) colonnes.insert(x);
    }
    EXPECT_GE(colonnes.size(), 3U);
    EXPECT_LE(colonnes.size(), 9U);
}

// "Imprimer" prints the graph (on a PDF here), at any time.
TEST_F(Acquisition, imprimeLeGraphe)
{
    ouvreCinetique();
    prepare();
    lance();
    for (int k = 0; k < 12; ++k) tic();
    barreCin().StopBtn->click();
    ASSERT_TRUE(barreCin().PrintBtn->isEnabled());
    barreCin().PrintBtn->click();
    const QFileInfo pdf(pdf_);
    EXPECT_TRUE(pdf.exists()) << pdf_.toStdString();
    EXPECT_GT(pdf.size(), 1000);
    EXPECT_TRUE(erreurs_.isEmpty());
    EXPECT_EQ(nbrePoints(), 13) << "printing changes nothing of the run";
}

// Both graphs' pop-up menus give the picture: on the clipboard as an image,
// or in a file; the main window's keeps "Suppr. la courbe" first.
TEST_F(Acquisition, lesGraphesDonnentLeurImage)
{
    ouvreCinetique();
    prepare();
    lance();
    for (int k = 0; k < 12; ++k) tic();
    QStringList textes;
    for (QAction* a : f().GrapheMenu().actions())
        if (!a->isSeparator()) textes << a->text();
    EXPECT_EQ(textes, (QStringList{QStringLiteral("Suppr. la courbe"), QStringLiteral("Copier l'image"),
                                   QStringLiteral("Enregistrer l'image…"), QStringLiteral("Vue d'ensemble"),
                                   QStringLiteral("Ajuster aux courbes"), QStringLiteral("Pics"),
                                   QStringLiteral("Copier les pics"), QStringLiteral("Légende")}));
    textes.clear();
    for (QAction* a : cin().OscilloMenu().actions())
        if (!a->isSeparator()) textes << a->text();
    EXPECT_EQ(textes, (QStringList{QStringLiteral("Copier l'image"), QStringLiteral("Enregistrer l'image…"),
                                   QStringLiteral("Vue d'ensemble"), QStringLiteral("Ajuster aux courbes")}));

    cin().actionsImage().CopieImageItem->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(1600, 1000));
    const QString chemin = dossier_.filePath(QStringLiteral("cinetique.svg"));
    cin().actionsImage().dialogue = [&](QWidget*) { return chemin; };
    cin().actionsImage().EnregistreImageItem->trigger();
    EXPECT_FALSE(QFileInfo::exists(chemin)) << "the box opens after the trigger has returned";
    QCoreApplication::processEvents();
    EXPECT_TRUE(QFileInfo(chemin).size() > 1000);
    QStringList erreurs;
    f().actionsImage().boiteErreur = [&](QWidget*, const QString& t) { erreurs << t; };
    f().actionsImage().dialogue = [&](QWidget*) { return dossier_.filePath(QStringLiteral("absent/x.png")); };
    f().actionsImage().EnregistreImageItem->trigger();
    QCoreApplication::processEvents();
    ASSERT_EQ(erreurs.size(), 1);
    EXPECT_TRUE(erreurs[0].startsWith(QStringLiteral("Impossible d'enregistrer l'image")));
}

// Every reading and marker of a run is in its journal as it comes; "RàZ",
// a new run and a successful export drop it; a failed export keeps it.
TEST_F(Acquisition, leJournalSuitLaRun)
{
    ouvreCinetique();
    prepare();
    lance();
    textesReperes_ = {QStringLiteral("ajout")};
    for (int k = 0; k < 14; ++k) {
        tic();
        if (k == 5) barreCin().RepereBtn->click();
    }
    const QString chemin = cin().journal().chemin();
    TCourbeRejouee c = rejoue(lisJournalFichier(chemin));
    ASSERT_EQ(c.nombre, 15);
    for (int k = 0; k < 15; ++k) {
        EXPECT_EQ(c.colonnes[0][static_cast<std::size_t>(k)], temps(k)) << k;
        EXPECT_EQ(c.colonnes[1][static_cast<std::size_t>(k)], absorbance(k)) << k;
    }
    ASSERT_EQ(c.reperes.size(), 1U);
    EXPECT_EQ(c.reperes[0].valeur, 12.0);
    barreCin().StopBtn->click();

    exportReussi_ = false;
    barreCin().SaveBtn->click();
    EXPECT_TRUE(QFile::exists(chemin)) << "not handed over: kept";
    exportReussi_ = true;
    barreCin().SaveBtn->click();
    EXPECT_FALSE(QFile::exists(chemin));

    lance();
    EXPECT_EQ(rejoue(lisJournalFichier(chemin)).nombre, 1) << "a new run, a new journal";
    barreCin().StopBtn->click();
    EXPECT_FALSE(QFile::exists(chemin)) << "10 points or fewer: cleared";
}

// The whole road of a spectrum through the real window and its widgets,
// against the simulated instrument on a pseudo-terminal.
#include "FenetreFixture.h"

#include "graph/Couleurs.h"
#include "graph/TLecteurGraphe.h"
#include "link/Commandes.h"
#include "sim/Balayage.h"
#include "sim/TModeleOptique.h"
#include "spectrum/TGroupeRadio.h"
#include "spectrum/TListeCoches.h"

#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QCheckBox>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

namespace {

// Pixels of this colour in the view as a person sees it.
int pixelsDeCouleur(QWidget& vue, const QColor& couleur)
{
    const QImage image = vue.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == couleur) ++n;
    return n;
}

int pointsAttendus(int debut, int fin, int vitesse)
{
    TReglageBalayage r;
    r.debutDixiemes = debut * 10;
    r.finDixiemes = fin * 10;
    r.vitesse = vitesse + 1;
    return static_cast<int>(longueursOndeBalayage(r, parametreBalayage(fin - debut, vitesse)).size());
}

void enregistreCapture(QWidget& fenetre, const QString& nom)
{
    const QString chemin = fichierSortieEssais(nom);
    ASSERT_TRUE(fenetre.grab().save(chemin)) << chemin.toStdString();
}

void cocheDerivee(TListeCoches& liste, int ordre)
{
    liste.coche(ordre - 1)->setChecked(true);
}

} // namespace

class RouteSpectre : public FenetreFixture {};

TEST_F(RouteSpectre, unSpectreArriveSurLeGrapheEtSeConserve)
{
    TFormMain& fen = ouvreFenetre();
    EXPECT_EQ(barre().ConnectBtn->text(), QStringLiteral("Connecter"));
    EXPECT_EQ(fen.statut(), QStringLiteral("Cliquer sur connecter"));

    connecte();
    EXPECT_EQ(barre().ConnectBtn->text(), QStringLiteral("Déconnecter"));
    EXPECT_TRUE(barre().BlancBtn->isEnabled());
    EXPECT_FALSE(barre().SpectreBtn->isEnabled());

    barre().BlancBtn->click();
    EXPECT_TRUE(liaison().BlancFait);
    EXPECT_TRUE(barre().SpectreBtn->isEnabled());
    const int avant = pixelsDeCouleur(fen.PaintBox1(), couleurCourbe);

    barre().SpectreBtn->click();
    ASSERT_TRUE(attendQue([this] { return liaison().etatSpectre == TEtatSpectre::esAttente; }));
    laissePasser();

    const int attendus = pointsAttendus(500, 600, 2);
    EXPECT_EQ(static_cast<int>(fen.graphe().nbrePoints), attendus);
    EXPECT_TRUE(fen.spectreFait);
    EXPECT_DOUBLE_EQ(fen.graphe().mondeX->valeur[0], 600.0);
    EXPECT_DOUBLE_EQ(fen.graphe().mondeX->valeur[static_cast<std::size_t>(attendus - 1)], 500.0);
    EXPECT_TRUE(barre().SaveBtn->isEnabled());
    EXPECT_TRUE(barre().PrintBtn->isEnabled());
    EXPECT_EQ(fen.statut(), QStringLiteral("Cliquer sur sauver"));
    EXPECT_FALSE(liaison().estOccupe());
    EXPECT_GT(pixelsDeCouleur(fen.PaintBox1(), couleurCourbe), avant + 100)
        << "the curve must be visible in the window";
    EXPECT_EQ(sim_.commandes(), (std::vector<std::string>{"c6000,5000", "a6000,5000,3", "f200"}));

    // Kept twice without a refresh: once only.
    barre().AddBtn->click();
    EXPECT_FALSE(barre().AddBtn->isEnabled());
    EXPECT_EQ(fen.graphe().listeDonnees.size(), 1u);
    fen.setBoutons();
    EXPECT_TRUE(barre().AddBtn->isEnabled());
}

// After a scan of the simulated sample's band near 520 nm: pointing at its
// top reads λmax within the scan's step, the peak search finds it there, and
// a zoom holds through the next scan until a double click.
TEST_F(RouteSpectre, lesValeursSeLisentSurLeGraphe)
{
    TFormMain& fen = ouvreFenetre();
    connecte();
    barre().BlancBtn->click();
    barre().SpectreBtn->click();
    ASSERT_TRUE(attendQue([this] { return liaison().etatSpectre == TEtatSpectre::esAttente; }));
    laissePasser();
    const Tgraphe& g = fen.graphe();
    ASSERT_GT(g.nbrePoints, 10);
    const double pas = std::abs(g.mondeX->valeur[0] - g.mondeX->valeur[1]);
    double lambdaMax = 500;
    for (double l = 500; l <= 600; l += 0.01)
        if (TModeleOptique::absorbanceEchantillon(l) > TModeleOptique::absorbanceEchantillon(lambdaMax)) lambdaMax = l;

    auto* lecteur = fen.PaintBox1().findChild<TLecteurGraphe*>();
    ASSERT_NE(lecteur, nullptr);
    const std::vector<TPic>& pics = lecteur->picsGraphe().pics();
    ASSERT_EQ(pics.size(), 1u);
    EXPECT_NEAR(pics[0].x, lambdaMax, pas);

    // Over the whole frame a pixel is nearly 2 nm: zoomed on the band, the
    // pointer reads its top within the step.
    fen.PaintBox1().grab();
    const double aMax = TModeleOptique::absorbanceEchantillon(lambdaMax);
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    g.WindowXY(lambdaMax - 15, aMax + 0.1, *g.mondeY, x0, y0);
    g.WindowXY(lambdaMax + 15, aMax - 0.3, *g.mondeY, x1, y1);
    lecteur->zoomeSur(QRect(QPoint(x0, y0), QPoint(x1, y1)));
    ASSERT_TRUE(g.zoom.has_value());
    const TZoom zoom = *g.zoom;
    fen.PaintBox1().grab();
    int xi = 0, yi = 0;
    g.WindowXY(lambdaMax, aMax, *g.mondeY, xi, yi);
    QTest::mouseMove(&fen.PaintBox1(), QPoint(xi, yi));
    ASSERT_TRUE(lecteur->visible());
    EXPECT_NEAR(lecteur->point().x, lambdaMax, pas);
    EXPECT_TRUE(lecteur->texte().startsWith(QStringLiteral("λ = "))) << lecteur->texte().toStdString();

    fen.setBoutons();
    barre().SpectreBtn->click();
    ASSERT_TRUE(attendQue([this] { return liaison().etatSpectre == TEtatSpectre::esAttente; }));
    laissePasser();
    ASSERT_TRUE(g.zoom.has_value()) << "a new scan keeps the user's view";
    EXPECT_EQ(g.zoom->xMin, zoom.xMin);
    QTest::mouseDClick(&fen.PaintBox1(), Qt::LeftButton, Qt::NoModifier, QPoint(xi, yi));
    EXPECT_FALSE(g.zoom.has_value());
}

TEST_F(RouteSpectre, deriveesOrdonneeChoixEtImpression)
{
    TFormMain& fen = ouvreFenetre();
    enregistreSpectre();
    barre().AddBtn->click();

    for (int ordre = 1; ordre <= 3; ++ordre) cocheDerivee(*panneau().AffDeriveeCB, ordre);
    EXPECT_TRUE(fen.graphe().traceDer[1] && fen.graphe().traceDer[2] && fen.graphe().traceDer[3]);
    EXPECT_GT(pixelsDeCouleur(fen.PaintBox1(), couleurs[1]), 50) << "first derivative drawn";
    enregistreCapture(fen, QStringLiteral("fenetre-absorbance-derivees.png"));

    panneau().YRG->bouton(1)->click();
    EXPECT_EQ(fen.graphe().mondeY, fen.graphe().MondeTrans.get());
    for (int ordre = 1; ordre <= 3; ++ordre)
        panneau().AffDeriveeCB->coche(ordre - 1)->setChecked(false);
    enregistreCapture(fen, QStringLiteral("fenetre-transmittance.png"));
    panneau().YRG->bouton(0)->click();
    EXPECT_EQ(fen.graphe().mondeY, fen.graphe().mondeAbs.get());

    barre().PrintBtn->click();
    EXPECT_TRUE(erreurs_.isEmpty()) << erreurs_.join(u'\n').toStdString();
    EXPECT_GT(QFileInfo(pdf_).size(), 1000);
}

TEST_F(RouteSpectre, clicDroitChoisitUneCourbeEtLeMenuLaSupprime)
{
    TFormMain& fen = ouvreFenetre();
    enregistreSpectre();
    barre().AddBtn->click();
    fen.PaintBox1().repaint();
    Tgraphe& g = fen.graphe();
    int x = 0;
    int y = 0;
    g.WindowXY(g.listeDonnees[0].X[50], g.listeDonnees[0].A[50], *g.mondeY, x, y);

    // Far from every curve: nothing picked, the item deletes nothing.
    QTest::mouseClick(&fen.PaintBox1(), Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(fen.courbeProche, -1);
    fen.GrapheMenu().hide();
    fen.DeleteCourbeItem().trigger();
    EXPECT_EQ(g.listeDonnees.size(), 1u);

    QTest::mouseClick(&fen.PaintBox1(), Qt::LeftButton, {}, QPoint(x, y));
    EXPECT_EQ(fen.courbeProche, -1) << "only the right button picks";
    QTest::mouseClick(&fen.PaintBox1(), Qt::RightButton, {}, QPoint(x, y));
    EXPECT_EQ(fen.courbeProche, 0);
    EXPECT_TRUE(fen.GrapheMenu().isVisible());
    EXPECT_EQ(fen.DeleteCourbeItem().text(), QStringLiteral("Suppr. la courbe"));
    fen.DeleteCourbeItem().trigger();
    EXPECT_TRUE(g.listeDonnees.empty());
}

#include "GrapheEssai.h"
#include "SortieEssais.h"

#include "graph/Couleurs.h"
#include "graph/CoupeSegment.h"
#include "graph/TLecteurGraphe.h"
#include "graph/TPicsGraphe.h"
#include "graph/TVueGraphe.h"

#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

struct CasCoupe {
    const char* nom;
    double x1, y1, x2, y2;
    bool garde;
    double ax1, ay1, ax2, ay2;
};

class Coupe : public ::testing::TestWithParam<CasCoupe> {};

TEST_P(Coupe, auRectangle)
{
    const CasCoupe& c = GetParam();
    double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    ASSERT_EQ(coupeSegment(x1, y1, x2, y2, TRectangle{10, 10, 110, 60}), c.garde);
    if (!c.garde) return;
    EXPECT_DOUBLE_EQ(x1, c.ax1);
    EXPECT_DOUBLE_EQ(y1, c.ay1);
    EXPECT_DOUBLE_EQ(x2, c.ax2);
    EXPECT_DOUBLE_EQ(y2, c.ay2);
}

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Segments, Coupe,
    ::testing::Values(CasCoupe{"dedans", 20, 20, 100, 50, true, 20, 20, 100, 50},
                      CasCoupe{"dehors", 0, 0, 5, 100, false, 0, 0, 0, 0},
                      CasCoupe{"traverse", 0, 35, 120, 35, true, 10, 35, 110, 35},
                      CasCoupe{"sortParLeHaut", 60, 35, 60, 0, true, 60, 35, 60, 10},
                      CasCoupe{"diagonale", 0, 0, 120, 120, true, 10, 10, 60, 60},
                      CasCoupe{"nonFini", nan, 20, 100, 50, false, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.nom); });

// A spectrum 400 to 800 nm in a real view with its readout and zoom.
class Zoom : public ::testing::Test {
protected:
    void SetUp() override
    {
        configureSpectre(g);
        for (int k = 0; k <= 40; ++k) {
            g.mondeX->valeur[k] = 400 + 10 * k;
            g.mondeAbs->valeur[k] = 0.5 + std::sin(k / 6.0);
        }
        g.nbrePoints = 41;
        vue = std::make_unique<TVueGraphe>(g);
        vue->resize(540, 499);
        lecteur = new TLecteurGraphe(g, *vue);
        vue->show();
        vue->grab();
    }

    QPoint pixel(double x, double y) const
    {
        int xi = 0, yi = 0;
        g.WindowXY(x, y, *g.mondeY, xi, yi);
        return {xi, yi};
    }

    void roule(const QPoint& ou, int crans, Qt::KeyboardModifiers touches = Qt::NoModifier)
    {
        QWheelEvent roue(ou, vue->mapToGlobal(ou), QPoint(), QPoint(0, 120 * crans), Qt::NoButton, touches,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(vue.get(), &roue);
    }

    Tgraphe g;
    std::unique_ptr<TVueGraphe> vue;
    TLecteurGraphe* lecteur = nullptr;
};

// A rubber band from 500 nm, A = 1.5 to 600 nm, A = 0.5 frames exactly that;
// the window's own frame stays underneath and comes back with a double click.
TEST_F(Zoom, laBandeLaRouletteEtLeDoubleClic)
{
    QTest::mousePress(vue.get(), Qt::LeftButton, Qt::NoModifier, pixel(500, 1.5));
    QTest::mouseMove(vue.get(), pixel(550, 1.0));
    QTest::mouseRelease(vue.get(), Qt::LeftButton, Qt::NoModifier, pixel(600, 0.5));
    ASSERT_TRUE(g.zoom.has_value());
    const double pasX = 910.0 / 400;  // nm per pixel, about
    EXPECT_NEAR(g.zoom->xMin, 500, pasX);
    EXPECT_NEAR(g.zoom->xMax, 600, pasX);
    EXPECT_NEAR(g.zoom->yMin, 0.5, 0.02);
    EXPECT_NEAR(g.zoom->yMax, 1.5, 0.02);
    vue->grab().save(fichierSortieEssais(QStringLiteral("zoom-spectre.png")));
    EXPECT_EQ(g.mondeX->mini, 190) << "the window's frame is untouched";
    EXPECT_EQ(g.mondeX->maxi, 1100);
    EXPECT_NEAR(pixel(500, 0.5).x(), g.LimiteCourbe.Left, 1) << "the zoom fills the curves' area";

    const TZoom avant = *g.zoom;
    roule(pixel(550, 1.0), 1);
    EXPECT_NEAR(g.zoom->xMax - g.zoom->xMin, 0.8 * (avant.xMax - avant.xMin), 1e-9);
    EXPECT_NEAR((550 - g.zoom->xMin) / (g.zoom->xMax - g.zoom->xMin),
                (550 - avant.xMin) / (avant.xMax - avant.xMin), 0.01)
        << "the pointer's wavelength stays under it";
    EXPECT_EQ(g.zoom->yMin, avant.yMin);
    roule(pixel(550, 1.0), -1, Qt::ControlModifier);
    EXPECT_NEAR(g.zoom->yMax - g.zoom->yMin, 1.25 * (avant.yMax - avant.yMin), 1e-9);

    // The window rescales its own frame (as the kinetics window does): the
    // user's zoom stays.
    g.SetMonde(190, 0, 1100, 4);
    vue->redessine();
    vue->grab();
    EXPECT_TRUE(g.zoom.has_value());

    QTest::mouseDClick(vue.get(), Qt::LeftButton, Qt::NoModifier, pixel(550, 1.0));
    EXPECT_FALSE(g.zoom.has_value());
}

TEST_F(Zoom, unClicNEstPasUneBandeEtAjusterCadreLesCourbes)
{
    QTest::mouseClick(vue.get(), Qt::LeftButton, Qt::NoModifier, pixel(500, 1.0));
    EXPECT_FALSE(g.zoom.has_value());
    lecteur->ajusteAuxCourbes();
    ASSERT_TRUE(g.zoom.has_value());
    EXPECT_DOUBLE_EQ(g.zoom->xMin, 400 - 20);
    EXPECT_DOUBLE_EQ(g.zoom->xMax, 800 + 20);
    EXPECT_LT(g.zoom->yMin, -0.4);
    EXPECT_GT(g.zoom->yMax, 1.5);
}

// Zoomed, a point arriving during the scan is drawn in the zoomed frame, and
// nothing is drawn outside the curves' area.
TEST(ZoomDessin, lesPointsArrivantRestentDansLeCadre)
{
    Tgraphe g;
    configureSpectre(g);
    g.zoom = TZoom{500, 600, 0, 3, false};
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    for (int k = 0; k <= 20; ++k) {
        g.mondeX->valeur[k] = 400 + 15 * k;
        g.mondeAbs->valeur[k] = 0.5 + 0.1 * k;
    }
    g.nbrePoints = 21;
    dessineEcran(g, s);
    const std::size_t avant = lignesDeCouleur(s, couleurCourbe).size();
    EXPECT_EQ(avant, 8u) << "the segments from 490 to 610 nm, cut at 500 and 600";
    // The scan goes on past the zoomed range: the new segment is cut off.
    g.mondeX->valeur[21] = 715;
    g.mondeAbs->valeur[21] = 2.6;
    g.TraceUnPoint(21);
    const Primitives courbe = lignesDeCouleur(s, couleurCourbe);
    EXPECT_EQ(courbe.size(), avant);
    const TRectangle& c = g.LimiteCourbe;
    for (const TPrimitiveDessin& p : courbe) {
        EXPECT_GE(std::min(p.x1, p.x2), c.Left);
        EXPECT_LE(std::max(p.x1, p.x2), c.Right);
        EXPECT_GE(std::min(p.y1, p.y2), c.Top);
        EXPECT_LE(std::max(p.y1, p.y2), c.Bottom);
    }
    int x = 0, y = 0;
    g.WindowXY(550, 0.5, *g.mondeY, x, y);
    EXPECT_NEAR(x, (c.Left + c.Right) / 2, 1) << "550 nm is the middle of the zoomed view";
}

// A page is drawn as the screen shows it: the zoomed range, graduated as
// such, and the window's frame back afterwards.
TEST(ZoomDessin, lImpressionMontreLaVueZoomee)
{
    Tgraphe g;
    configureSpectre(g);
    for (int k = 0; k <= 20; ++k) {
        g.mondeX->valeur[k] = 400 + 15 * k;
        g.mondeAbs->valeur[k] = 0.5 + 0.1 * k;
    }
    g.nbrePoints = 21;
    g.zoom = TZoom{500, 600, 0, 3, false};
    g.largeurEcran = 542;
    TSurfaceEnregistreuse page({0, 0, 4960, 7016});
    g.Draw(page);
    const QStringList t = textes(page);
    EXPECT_TRUE(t.contains(QStringLiteral("520")) || t.contains(QStringLiteral("550"))) << t.join(u' ').toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("900"))) << "the frame's graduations are not printed";
    for (const TPrimitiveDessin& p : lignesDeCouleur(page, couleurCourbe)) {
        EXPECT_GE(std::min(p.x1, p.x2), g.LimiteCourbe.Left);
        EXPECT_LE(std::max(p.x1, p.x2), g.LimiteCourbe.Right);
    }
    EXPECT_EQ(g.mondeX->mini, 190);
    EXPECT_EQ(g.mondeX->maxi, 1100);
}

} // namespace

namespace {

// The peaks of the current curve, marked over the view and copied as a
// table: λ refined between the points, the locale's decimals, CR LF.
TEST(PicsGraphe, marquesEtTable)
{
    Tgraphe g;
    configureSpectre(g);
    for (int k = 0; k <= 100; ++k) {
        const double x = 800 - 3 * k;  // scanned downwards, 3 nm apart
        g.mondeX->valeur[k] = x;
        g.mondeAbs->valeur[k] = 0.05 + 1.2 * std::exp(-0.5 * std::pow((x - 612.4) / 20, 2))
                                + 0.6 * std::exp(-0.5 * std::pow((x - 530.0) / 15, 2));
    }
    g.nbrePoints = 101;
    TPicsGraphe pics(g);
    ASSERT_EQ(pics.pics().size(), 2u);
    EXPECT_NEAR(pics.pics()[0].x, 612.4, 0.3);
    EXPECT_NEAR(pics.pics()[1].x, 530.0, 0.3);
    const QString table = pics.texte(QLocale(QLocale::French, QLocale::France));
    const QStringList lignes = table.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lignes.size(), 4) << table.toStdString();
    EXPECT_EQ(lignes[0], QStringLiteral("λ (nm)\tA"));
    const QLocale francais(QLocale::French, QLocale::France);
    const double attendus[][2] = {{612.4, 1.25}, {530.0, 0.65}};
    for (int k = 0; k < 2; ++k) {
        const QStringList colonnes = lignes[k + 1].split(u'\t');
        ASSERT_EQ(colonnes.size(), 2);
        EXPECT_NEAR(francais.toDouble(colonnes[0]), attendus[k][0], 0.3) << colonnes[0].toStdString();
        EXPECT_NEAR(francais.toDouble(colonnes[1]), attendus[k][1], 0.01) << colonnes[1].toStdString();
        EXPECT_TRUE(colonnes[1].contains(u',')) << "the locale's decimals";
    }
    EXPECT_EQ(lignes[3], QString());

    // The marks are redrawn when, and only when, they change.
    EXPECT_FALSE(pics.changes()) << "nothing marked while off";
    pics.actifs = true;
    EXPECT_TRUE(pics.changes());
    EXPECT_FALSE(pics.changes());
    g.nbrePoints = 70; // the scan so far: 800 to 593 nm, one peak
    EXPECT_TRUE(pics.changes());
    EXPECT_EQ(pics.pics().size(), 1u);

    // A new scan replaces the peaks; no curve, no peak.
    g.nbrePoints = 0;
    EXPECT_TRUE(pics.pics().empty());
    EXPECT_EQ(pics.texte(), QStringLiteral("λ (nm)\tA\r\n"));
}

} // namespace

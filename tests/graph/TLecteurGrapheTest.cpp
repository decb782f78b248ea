#include "GrapheEssai.h"

#include "graph/TLecteurGraphe.h"
#include "graph/TVueGraphe.h"

#include <QAccessible>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A spectrum scanned downwards, 600 to 500 nm by 10 nm, in a real view.
class LecteurGraphe : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        configureSpectre(g);
        for (int k = 0; k <= 10; ++k) {
            g.mondeX->valeur[k] = 600 - 10 * k;
            g.mondeAbs->valeur[k] = 0.5 + 0.1 * k;
        }
        g.nbrePoints = 11;
        vue = std::make_unique<TVueGraphe>(g);
        vue->setToolTip(QStringLiteral("Graphe du spectre"));
        vue->resize(540, 499);
        lecteur = new TLecteurGraphe(g, *vue);
        vue->show();
        vue->grab();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QPoint pixel(double x, double y) const
    {
        int xi = 0;
        int yi = 0;
        g.WindowXY(x, y, *g.mondeY, xi, yi);
        return {xi, yi};
    }

    QString description() const
    {
        return QAccessible::queryAccessibleInterface(vue.get())->text(QAccessible::Description);
    }

    Tgraphe g;
    std::unique_ptr<TVueGraphe> vue;
    TLecteurGraphe* lecteur = nullptr;
};

TEST_F(LecteurGraphe, lePointeurLitLePointLePlusProcheEtLeQuitterLeCache)
{
    QTest::mouseMove(vue.get(), pixel(550, 1.0) + QPoint(3, -2));
    ASSERT_TRUE(lecteur->visible());
    EXPECT_EQ(lecteur->texte(), QStringLiteral("λ = 550 nm   A = 1,000"));
    EXPECT_EQ(description(), lecteur->texte()) << "a screen reader reads the readout";

    // The readout is drawn over the graph, at its top-right corner.
    const QImage avec = vue->grab().toImage();
    QEvent quitte(QEvent::Leave);
    QCoreApplication::sendEvent(vue.get(), &quitte);
    EXPECT_FALSE(lecteur->visible());
    EXPECT_EQ(description(), QStringLiteral("Graphe du spectre")) << "back to the view's own help";
    const QImage sans = vue->grab().toImage();
    EXPECT_NE(avec.copy(vue->width() - 60, 6, 50, 10), sans.copy(vue->width() - 60, 6, 50, 10));
}

TEST_F(LecteurGraphe, leClavierSuitLaCourbeDansLeSensDesLongueursDOnde)
{
    vue->setFocus();
    struct Pas {
        Qt::Key touche;
        const char* attendu;
    };
    const Pas pas[] = {
        {Qt::Key_Right, "λ = 500 nm   A = 1,500"},  // first key: the curve's left end
        {Qt::Key_Right, "λ = 510 nm   A = 1,400"},
        {Qt::Key_Left, "λ = 500 nm   A = 1,500"},
        {Qt::Key_Left, "λ = 500 nm   A = 1,500"},   // stays at the end
        {Qt::Key_PageUp, "λ = 510 nm   A = 1,400"},  // a tenth of 11 points: one
        {Qt::Key_End, "λ = 600 nm   A = 0,500"},
        {Qt::Key_Home, "λ = 500 nm   A = 1,500"},
    };
    for (const Pas& p : pas) {
        QTest::keyClick(vue.get(), p.touche);
        EXPECT_EQ(lecteur->texte(), QString::fromUtf8(p.attendu)) << QTest::toString(p.touche);
        EXPECT_EQ(description(), lecteur->texte());
    }
    EXPECT_FALSE(lecteur->deplace(Qt::Key_Escape)) << "Escape still reaches the window's Stop";
}

TEST_F(LecteurGraphe, sansCourbeRienNeSAffiche)
{
    g.nbrePoints = 0;
    vue->redessine();
    vue->grab();
    EXPECT_FALSE(lecteur->deplace(Qt::Key_Right));
    QTest::mouseMove(vue.get(), QPoint(200, 200));
    EXPECT_FALSE(lecteur->visible());
    EXPECT_EQ(lecteur->texte(), QString());
}

} // namespace

#include "GrapheEssai.h"

#include "graph/TServicesImpression.h"
#include "graph/TVueGraphe.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QRgb marine = qRgb(0, 0, 128);

bool encreMarineAutourDe(const QImage& image, QPoint p)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.pixel(p + QPoint(dx, dy)) == marine) return true;
    return false;
}

class VueGraphe : public ::testing::Test {
protected:
    void SetUp() override
    {
        configureSpectre(g);
        vue = std::make_unique<TVueGraphe>(g);
        vue->resize(540, 499);
        vue->grab();  // the first paint lays the graph out
    }

    // A new point 1 during a scan: stored, drawn, not yet counted.
    QPoint nouveauSegment()
    {
        g.mondeX->valeur[0] = 400;
        g.mondeAbs->valeur[0] = 1;
        g.mondeX->valeur[1] = 700;
        g.mondeAbs->valeur[1] = 2;
        g.TraceUnPoint(1);
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        g.WindowXY(400, 1, *g.mondeY, x0, y0);
        g.WindowXY(700, 2, *g.mondeY, x1, y1);
        return {(x0 + x1) / 2, (y0 + y1) / 2};
    }

    Tgraphe g;
    std::unique_ptr<TVueGraphe> vue;
};

TEST_F(VueGraphe, premierDessinALaTailleDeLaVue)
{
    EXPECT_EQ(g.canvas, &vue->surface());
    EXPECT_EQ(g.largeurEcran, 542);
    EXPECT_EQ(g.LimiteCourbe, (TRectangle{45, 5, 535, 469}));
    const QImage ecran = vue->grab().toImage();
    EXPECT_EQ(ecran.pixel(45, 300), qRgb(0, 0, 0));  // ordinate axis
    EXPECT_EQ(ecran.pixel(300, 200), qRgb(255, 255, 255));
}

TEST_F(VueGraphe, unNouveauPointSeVoitSansRedessinerLeGraphe)
{
    const QPoint milieu = nouveauSegment();
    EXPECT_TRUE(encreMarineAutourDe(vue->surface().image(), milieu));
    // nbrePoints is still 0: a full drawing would wipe the segment out.
    EXPECT_TRUE(encreMarineAutourDe(vue->grab().toImage(), milieu));
    vue->redessine();
    EXPECT_FALSE(encreMarineAutourDe(vue->grab().toImage(), milieu));
}

TEST_F(VueGraphe, apresUneImpressionLesPointsVontALaVue)
{
    QTemporaryDir dossier;
    TServicesImpression services;
    services.confirme = [] { return true; };
    services.imprimante = [&] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(dossier.filePath(QStringLiteral("vue.pdf")));
        return p;
    };
    ASSERT_TRUE(g.Imprime(services));
    EXPECT_EQ(g.canvas, &vue->surface());
    const QPoint milieu = nouveauSegment();
    EXPECT_TRUE(encreMarineAutourDe(vue->grab().toImage(), milieu));
}

TEST_F(VueGraphe, redimensionnerRelaitLaMiseEnPage)
{
    vue->resize(300, 200);
    vue->grab();
    EXPECT_EQ(g.largeurEcran, 302);
    EXPECT_EQ(g.LimiteFenetre, (TRectangle{0, 0, 300, 200}));
    vue->resize(2, 2);  // a window shrunk to almost nothing
    vue->grab();
    EXPECT_EQ(g.LimiteFenetre, (TRectangle{0, 0, 2, 2}));
    g.mondeX->valeur[1] = 500;
    g.TraceUnPoint(1);
}

TEST_F(VueGraphe, laVueDetruiteLeGrapheNeDessinePlus)
{
    vue.reset();
    EXPECT_EQ(g.canvas, nullptr);
    g.mondeX->valeur[1] = 500;
    g.TraceUnPoint(1);
}

}  // namespace

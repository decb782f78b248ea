#include "graph/TSurfaceImage.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

// The rectangle covering every pixel that is not white.
QRect encre(const QImage& image)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) r |= QRect(x, y, 1, 1);
    return r;
}

TEST(Police, calibriOuSonJumeauCarlito)
{
    TSurfaceImage s(QSize(50, 50));
    s.setNomFonte(QStringLiteral("Calibri"));
    const QString famille = QFontInfo(s.fonte()).family();
    EXPECT_TRUE(famille == QStringLiteral("Calibri") || famille == QStringLiteral("Carlito"))
        << famille.toStdString();
    if (!QFontDatabase::hasFamily(QStringLiteral("Calibri"))) {
        EXPECT_EQ(famille, QStringLiteral("Carlito"));
    }
}

class HauteurCellule : public ::testing::TestWithParam<int> {};

TEST_P(HauteurCellule, laCelluleALaHauteurDemandee)
{
    TSurfaceImage s(QSize(50, 50));
    s.setNomFonte(QStringLiteral("Calibri"));
    for (bool gras : {false, true}) {
        s.setGrasFonte(gras);
        s.setHauteurFonte(GetParam());
        EXPECT_NEAR(QFontMetrics(s.fonte(), &const_cast<QImage&>(s.image())).height(), GetParam(), 1) << gras;
    }
}

INSTANTIATE_TEST_SUITE_P(Hauteurs, HauteurCellule, ::testing::Values(13, 16, 20, 25, 40, 113));

TEST(Texte, lePointDonneEstLeCoinHautGauche)
{
    TSurfaceImage s(QSize(200, 100));
    s.setNomFonte(QStringLiteral("Calibri"));
    s.setHauteurFonte(20);
    s.setCouleurFonte(Qt::black);
    s.texte(20, 30, QStringLiteral("Mg"));
    const QRect r = encre(s.image());
    ASSERT_FALSE(r.isNull());
    EXPECT_GE(r.top(), 30);
    EXPECT_LE(r.bottom(), 30 + 20);
    EXPECT_GE(r.left(), 19);
    EXPECT_NEAR(r.right() - 20, s.largeurTexte(QStringLiteral("Mg")), 3);
    // Advances are fractional: four letters measure about four times one.
    EXPECT_NEAR(s.largeurTexte(QStringLiteral("AAAA")), 4 * s.largeurTexte(QStringLiteral("A")), 2);
}

TEST(Rectangle, droiteEtBasExclus)
{
    for (bool contour : {false, true}) {
        TSurfaceImage s(QSize(40, 40));
        s.setStylePlume(contour ? TStylePlume::plein : TStylePlume::aucun);
        s.setCouleurPlume(Qt::red);
        s.setCouleurBrosse(Qt::blue);
        s.rectangle(10, 12, 20, 30);
        EXPECT_EQ(encre(s.image()), QRect(QPoint(10, 12), QPoint(19, 29))) << contour;
        const QRgb centre = s.image().pixel(15, 20);
        EXPECT_EQ(centre, qRgb(0, 0, 255));
        EXPECT_EQ(s.image().pixel(10, 12), contour ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    }
    TSurfaceImage s(QSize(40, 40));
    s.setCouleurBrosse(Qt::green);
    s.rempliRectangle({5, 6, 15, 16});
    EXPECT_EQ(encre(s.image()), QRect(QPoint(5, 6), QPoint(14, 15)));
}

TEST(Lignes, styleCouleurEtEpaisseur)
{
    struct Cas {
        TStylePlume style;
        bool trous;
    };
    for (Cas c : {Cas{TStylePlume::plein, false}, Cas{TStylePlume::pointilles, true}, Cas{TStylePlume::tirets, true}}) {
        TSurfaceImage s(QSize(120, 20));
        s.setCouleurPlume(QColor(0, 0, 128));
        s.setStylePlume(c.style);
        s.deplaceVers(10, 10);
        s.ligneVers(110, 10);
        int encrees = 0;
        for (int x = 10; x <= 110; ++x) encrees += s.image().pixel(x, 10) == qRgb(0, 0, 128);
        EXPECT_EQ(encrees < 101, c.trous) << encrees;
        EXPECT_GT(encrees, 30);
        EXPECT_EQ(encre(s.image()).height(), 1);
    }
    TSurfaceImage s(QSize(120, 20));
    s.setEpaisseurPlume(5);
    s.deplaceVers(10, 10);
    s.ligneVers(110, 10);
    EXPECT_EQ(encre(s.image()).height(), 5);
}

TEST(SurfaceImage, redimensionnerDonneUneImageBlancheEtGardeLaPlume)
{
    TSurfaceImage s(QSize(20, 20));
    s.setCouleurPlume(Qt::red);
    s.deplaceVers(0, 5);
    s.ligneVers(19, 5);
    s.redimensionne(QSize(30, 10));
    EXPECT_EQ(s.image().size(), QSize(30, 10));
    EXPECT_TRUE(encre(s.image()).isNull());
    EXPECT_EQ(s.rectangleClip(), (TRectangle{0, 0, 30, 10}));
    s.deplaceVers(0, 2);
    s.ligneVers(29, 2);
    EXPECT_EQ(s.image().pixel(3, 2), qRgb(255, 0, 0));
    s.redimensionne(QSize(0, 0));  // a window shrunk to nothing
    EXPECT_EQ(s.rectangleClip(), (TRectangle{0, 0, 0, 0}));
    s.ligneVers(5, 5);
}

}  // namespace

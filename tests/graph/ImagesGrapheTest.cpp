// The graph as pictures for a report: PNG at the size asked with the graph's
// colours, SVG and PDF as vectors with their text kept as text, and the
// screen's drawing left as it was.
#include "GrapheEssai.h"
#include "SortieEssais.h"

#include "graph/Couleurs.h"
#include "graph/ImagesGraphe.h"
#include "graph/TSurfaceImage.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <cmath>

namespace {

class ImagesGraphe : public ::testing::Test {
protected:
    void SetUp() override
    {
        configureSpectre(g_);
        for (int k = 0; k < 301; ++k) {
            const auto i = static_cast<std::size_t>(k);
            g_.mondeX->valeur[i] = 800.0 - k;
            g_.mondeAbs->valeur[i] = 1.2 * std::exp(-0.5 * std::pow((800.0 - k - 650.0) / 40.0, 2));
        }
        g_.nbrePoints = 301;
        g_.listeRepere.push_back({600.0, QStringLiteral("repère")});
        g_.largeurEcran = 700 + 2;
        g_.Draw(ecran_);
    }

    static int pixelsDe(const QImage& image, const QColor& couleur)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == couleur ? 1 : 0;
        return n;
    }

    Tgraphe g_;
    TSurfaceImage ecran_{QSize(700, 400)};
    QTemporaryDir dossier_;
};

TEST_F(ImagesGraphe, PngALaTailleDemandeeAvecLesCouleursDuGraphe)
{
    const QImage image = imageGraphe(g_);
    EXPECT_EQ(image.size(), QSize(1600, 1000));
    // The curve, drawn smooth: navy and its lighter edges.
    int bleus = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            bleus += c.blue() > c.red() + 60 && c.blue() > c.green() + 60 ? 1 : 0;
        }
    EXPECT_GT(bleus, 1000);
    EXPECT_GT(pixelsDe(image, couleurFond), 1600 * 1000 / 2);
    EXPECT_GT(pixelsDe(image.convertToFormat(QImage::Format_RGB32), couleurs[0]), 100) << "the marker";
    ASSERT_EQ(enregistreImageGraphe(g_, fichierSortieEssais(QStringLiteral("graphe-rapport.png"))), QString());
    const QImage relue(fichierSortieEssais(QStringLiteral("graphe-rapport.png")));
    EXPECT_EQ(relue.size(), QSize(1600, 1000));
}

// The window goes on drawing points where it did: its surface and layout
// are back.
TEST_F(ImagesGraphe, LEcranRetrouveSaSurfaceEtSaMiseEnPage)
{
    const TRectangle courbe = g_.LimiteCourbe;
    const int largeur = g_.largeurEcran;
    (void)imageGraphe(g_);
    ASSERT_EQ(enregistreImageGraphe(g_, dossier_.filePath(QStringLiteral("g.svg"))), QString());
    EXPECT_EQ(g_.canvas, &ecran_);
    EXPECT_EQ(g_.LimiteCourbe.Right, courbe.Right);
    EXPECT_EQ(g_.LimiteCourbe.Bottom, courbe.Bottom);
    EXPECT_EQ(g_.largeurEcran, largeur);
}

TEST_F(ImagesGraphe, SvgVectorielAvecSesTextes)
{
    const QString chemin = fichierSortieEssais(QStringLiteral("graphe-rapport.svg"));
    ASSERT_EQ(enregistreImageGraphe(g_, chemin), QString());
    QSvgRenderer lecteur(chemin);
    ASSERT_TRUE(lecteur.isValid());
    EXPECT_EQ(lecteur.viewBox(), QRect(0, 0, 1600, 1000));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString texte = QString::fromUtf8(f.readAll());
    // A glyph from another font starts a new run of text: "λ(" then "nm)".
    EXPECT_TRUE(texte.contains(QStringLiteral(">nm)<"))) << "the axis title as text";
    EXPECT_TRUE(texte.contains(QStringLiteral(">200<"))) << "graduation labels as text";
    EXPECT_TRUE(texte.contains(QStringLiteral("<polyline")) || texte.contains(QStringLiteral("<path")));
}

TEST_F(ImagesGraphe, PdfVectorielAvecSesTextes)
{
    const QString chemin = fichierSortieEssais(QStringLiteral("graphe-rapport.pdf"));
    ASSERT_EQ(enregistreImageGraphe(g_, chemin), QString());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF-"));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), chemin, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(20000)) << "pdftotext (poppler-utils) is needed";
    const QString texte = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(texte.contains(QStringLiteral("λ(nm)"))) << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("200")));
}

TEST_F(ImagesGraphe, UnEchecSeDitEnFrancais)
{
    EXPECT_EQ(enregistreImageGraphe(g_, dossier_.filePath(QStringLiteral("absent/g.png"))),
              QStringLiteral("le dossier n'existe pas"));
    EXPECT_EQ(enregistreImageGraphe(g_, dossier_.path()), QStringLiteral("un dossier porte déjà ce nom"));
}

} // namespace

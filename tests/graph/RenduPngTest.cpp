// Renders the two kinds of graph to PNG files that a person can look at, and
// checks the parts that must be there.
#include "../common/LocaleScope.h"
#include "GrapheEssai.h"
#include "SortieEssais.h"

#include "graph/Couleurs.h"
#include "graph/TSurfaceImage.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Two absorption bands on a small sloping background.
double absorbance(double lambda, double echelle, double decalage)
{
    const double bande1 = 1.1 * std::exp(-std::pow((lambda - 450 - decalage) / 28, 2));
    const double bande2 = 0.7 * std::exp(-std::pow((lambda - 620 - decalage) / 40, 2));
    return echelle * (bande1 + bande2) + 0.05 + 0.0001 * (800 - lambda);
}

void scan(Tgraphe& g, double echelle, double decalage)
{
    for (std::size_t k = 0; k < 301; ++k) {
        const double lambda = 350 + 1.5 * static_cast<double>(k);
        g.mondeX->valeur[k] = lambda;
        g.mondeAbs->valeur[k] = absorbance(lambda, echelle, decalage);
        g.MondeTrans->valeur[k] = std::pow(10.0, -g.mondeAbs->valeur[k]);
    }
    g.nbrePoints = 301;
}

int compte(const QImage& image, const QRect& zone, const std::function<bool(QRgb)>& garde)
{
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) n += garde(image.pixel(x, y));
    return n;
}

int compteCouleur(const QImage& image, const QRect& zone, const QColor& c)
{
    return compte(image, zone, [&](QRgb p) { return p == c.rgb(); });
}

bool colore(QRgb p)
{
    return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)}) > 100;
}

class RenduPng : public ::testing::Test {
protected:
    QImage dessine(Tgraphe& g, const QString& nom)
    {
        TSurfaceImage surface(QSize(900, 600));
        g.largeurEcran = 902;
        g.Draw(surface);
        const QString chemin = QDir(dossierSortieEssais()).filePath(nom);
        EXPECT_TRUE(surface.image().save(chemin)) << chemin.toStdString();
        QImage relue(chemin);
        EXPECT_EQ(relue.size(), QSize(900, 600));
        return surface.image();
    }

    QRect trace(const Tgraphe& g)
    {
        const TRectangle& c = g.LimiteCourbe;
        return QRect(QPoint(c.Left + 1, c.Top + 1), QPoint(c.Right - 1, c.Bottom - 1));
    }

    LocaleScope fr{LocaleScope::francais()};
};

TEST_F(RenduPng, spectreAvecCourbesGardeesEtDerivees)
{
    Tgraphe g;
    configureSpectre(g);
    scan(g, 0.6, -15);
    g.AddCourbeCourante();
    scan(g, 1.3, 10);
    g.AddCourbeCourante();
    scan(g, 1.0, 0);
    g.traceDer = {false, true, true, true};

    const QImage a = dessine(g, QStringLiteral("spectre_absorbance.png"));
    const QRect zone = trace(g);
    EXPECT_GT(compteCouleur(a, zone, couleurCourbe), 300);
    EXPECT_GT(compteCouleur(a, zone, couleurConservee(0)), 300);
    EXPECT_GT(compteCouleur(a, zone, couleurConservee(1)), 300);
    for (int j = 1; j <= 3; ++j)
        EXPECT_GT(compteCouleur(a, zone, couleurs[static_cast<std::size_t>(j)]), 200) << j;
    // The colour band along the bottom edge, under the labels.
    const QRect bande(g.LimiteCourbe.Left, 600 - g.hauteurSpectre + 1, g.LimiteCourbe.Right - g.LimiteCourbe.Left,
                      g.hauteurSpectre - 2);
    EXPECT_GT(compte(a, bande, colore), bande.width() * bande.height() / 4);

    g.mondeY = g.MondeTrans.get();
    g.traceDer = {};
    const QImage t = dessine(g, QStringLiteral("spectre_transmittance.png"));
    EXPECT_GT(compteCouleur(t, trace(g), couleurCourbe), 300);
    EXPECT_EQ(compteCouleur(t, trace(g), couleurs[1]), 0);
}

TEST_F(RenduPng, cinetiqueAvecReperes)
{
    Tgraphe g;
    configureCinetique(g, 600);
    g.Reset();
    for (std::size_t k = 0; k <= 120; ++k) {
        const double t = 5.0 * static_cast<double>(k);
        g.mondeX->valeur[k] = t;
        g.mondeAbs->valeur[k] = 0.2 + 1.4 * (1 - std::exp(-t / 140));
    }
    g.nbrePoints = 121;
    g.listeRepere.push_back({120, QStringLiteral("ajout du réactif")});
    g.listeRepere.push_back({300, QStringLiteral("agitation")});

    const QImage k = dessine(g, QStringLiteral("cinetique.png"));
    EXPECT_GT(compteCouleur(k, trace(g), couleurCourbe), 400);
    EXPECT_GT(compteCouleur(k, trace(g), couleurs[0]), 2 * 200);
    // No colour band under a time axis.
    EXPECT_EQ(compte(k, QRect(0, 590, 900, 10), colore), 0);
}

}  // namespace

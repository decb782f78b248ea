#include "GrapheEssai.h"
#include "ImprimanteEspionne.h"

#include "graph/Couleurs.h"
#include "graph/TServicesImpression.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Trace = MoteurEspion::Trace;

// A spectrum being scanned, a kept curve, a marker, drawn on a 540 x 499
// screen surface.
class Impression : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        configureSpectre(g);
        for (std::size_t k = 0; k < 120; ++k) {
            g.mondeX->valeur[k] = 350 + 3.0 * static_cast<double>(k);
            g.mondeAbs->valeur[k] = 1.2 + std::sin(static_cast<double>(k) / 15);
            g.MondeTrans->valeur[k] = std::pow(10.0, -g.mondeAbs->valeur[k]);
        }
        g.nbrePoints = 100;
        g.AddCourbeCourante();
        g.listeRepere.push_back({600, QString()});
        g.traceDer[1] = true;
        dessineEcran(g, ecran);
        ecran.efface();
        limitesEcran = g.LimiteCourbe;
    }

    TServicesImpression services(std::function<std::unique_ptr<QPrinter>()> imprimante)
    {
        TServicesImpression s;
        s.confirme = [this] {
            ++confirmations;
            return reponse;
        };
        s.imprimante = std::move(imprimante);
        s.signale = [this](const QString& m) { messages << m; };
        return s;
    }

    std::function<std::unique_ptr<QPrinter>()> pdf(const QString& chemin)
    {
        return [chemin] {
            auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(chemin);
            p->setPageOrientation(QPageLayout::Landscape);  // printing turns it to portrait
            return p;
        };
    }

    // The graph goes on drawing on the screen with the screen's layout.
    void verifieEcranIntact()
    {
        EXPECT_EQ(g.canvas, &ecran);
        EXPECT_EQ(g.LimiteCourbe, limitesEcran);
        EXPECT_EQ(g.LimiteFenetre, (TRectangle{0, 0, 540, 499}));
        EXPECT_EQ(g.penWidth, 1);
        EXPECT_FALSE(g.ImprimanteMonochrome);
        ecran.efface();
        g.TraceUnPoint(100);
        ASSERT_EQ(ecran.primitives().size(), 1u);
        int xi = 0, yi = 0;
        g.WindowXY(g.mondeX->valeur[100], g.mondeAbs->valeur[100], *g.mondeY, xi, yi);
        EXPECT_EQ(QPoint(ecran.primitives()[0].x1, ecran.primitives()[0].y1), QPoint(xi, yi));
        EXPECT_LT(xi, 540);
    }

    QTemporaryDir dossier;
    Tgraphe g;
    TSurfaceEnregistreuse ecran{{0, 0, 540, 499}};
    TRectangle limitesEcran;
    bool reponse = true;
    int confirmations = 0;
    QStringList messages;
};

TEST_F(Impression, annulerNImprimeRienEtNeToucheARien)
{
    reponse = false;
    const QString chemin = dossier.filePath(QStringLiteral("graphe.pdf"));
    int demandes = 0;
    auto imprimante = pdf(chemin);
    EXPECT_FALSE(g.Imprime(services([&] {
        ++demandes;
        return imprimante();
    })));
    EXPECT_EQ(confirmations, 1);
    EXPECT_EQ(demandes, 0);
    EXPECT_FALSE(QFile::exists(chemin));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(ecran.primitives().empty());
    verifieEcranIntact();
}

TEST_F(Impression, unePagePortraitEnPdf)
{
    const QString chemin = dossier.filePath(QStringLiteral("graphe.pdf"));
    ASSERT_TRUE(g.Imprime(services(pdf(chemin))));
    EXPECT_TRUE(messages.isEmpty());
    QFile fichier(chemin);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QByteArray contenu = fichier.readAll();
    EXPECT_TRUE(contenu.startsWith("%PDF"));
    EXPECT_EQ(contenu.count("/Type /Page\n") + contenu.count("/Type /Page "), 1);
    const QRegularExpression boite(QStringLiteral(R"(/MediaBox \[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"));
    const auto m = boite.match(QString::fromLatin1(contenu));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_LT(m.captured(1).toDouble(), m.captured(2).toDouble());
    EXPECT_TRUE(ecran.primitives().empty()) << "nothing of the page reaches the screen";
    verifieEcranIntact();
}

TEST_F(Impression, sansImprimanteUnMessageClair)
{
    EXPECT_FALSE(g.Imprime(services([] { return std::unique_ptr<QPrinter>(); })));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Aucune imprimante")));
    verifieEcranIntact();
}

TEST_F(Impression, travailRefuseUnMessageClair)
{
    const QString chemin = dossier.filePath(QStringLiteral("absent/graphe.pdf"));
    EXPECT_FALSE(g.Imprime(services(pdf(chemin))));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("impression"), Qt::CaseInsensitive));
    EXPECT_FALSE(QFile::exists(chemin));
    verifieEcranIntact();
}

class ImpressionEspionnee : public Impression, public ::testing::WithParamInterface<bool> {};

// What the printer receives: the upper half of a portrait page inside a
// margin of 1/64 of its height, curves in their colours or, on a monochrome
// printer, in black except the kept curves.
TEST_P(ImpressionEspionnee, moitieHauteDeLaPage)
{
    const bool monochrome = GetParam();
    MoteurEspion moteur;
    int largeur = 0, hauteur = 0;
    ASSERT_TRUE(g.Imprime(services([&] {
        auto p = std::make_unique<ImprimanteEspionne>(moteur);
        p->setPageOrientation(QPageLayout::Landscape);
        p->setColorMode(monochrome ? QPrinter::GrayScale : QPrinter::Color);
        return std::unique_ptr<QPrinter>(std::move(p));
    })));
    ASSERT_TRUE(moteur.commence && moteur.termine);
    ASSERT_FALSE(moteur.traces.empty());

    // The page geometry, portrait, as Imprime saw it.
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    reference.setPageOrientation(QPageLayout::Portrait);
    largeur = reference.width();
    hauteur = reference.height();
    ASSERT_LT(largeur, hauteur);
    const int e = hauteur / 64;
    const QRectF moitieHaute(e, e, largeur - 2 * e, hauteur / 2 - e);
    for (const Trace& t : moteur.traces) {
        if (t.genre == Trace::Genre::texte) {
            EXPECT_TRUE(moitieHaute.adjusted(0, 0, 1, 1).contains(t.zone.topLeft())) << t.texte.toStdString();
            continue;
        }
        const QRectF zone = t.zone.normalized();
        const qreal tolerance = t.genre == Trace::Genre::rectangle ? largeur / 128.0 : 1;
        const QRectF admise = moitieHaute.adjusted(-tolerance, -1, tolerance, 1);
        EXPECT_TRUE(admise.contains(zone.topLeft()) && admise.contains(zone.bottomRight()))
            << zone.x() << "," << zone.y() << " " << zone.width() << "x" << zone.height();
    }

    auto lignes = [&](const QColor& c) {
        std::vector<Trace> r;
        for (const Trace& t : moteur.traces)
            if (t.genre == Trace::Genre::ligne && t.couleur == c) r.push_back(t);
        return r;
    };
    const auto courante = lignes(monochrome ? QColor(Qt::black) : couleurCourbe);
    ASSERT_GE(courante.size(), 99u);
    const int epaisseur = (2 * (largeur - e)) / 542;
    EXPECT_EQ(courante.back().epaisseur, epaisseur);
    EXPECT_EQ(lignes(couleurCourbe).empty(), monochrome);
    EXPECT_EQ(lignes(couleurs[1]).empty(), monochrome);
    EXPECT_EQ(lignes(couleurs[0]).empty(), monochrome);
    EXPECT_EQ(lignes(couleurConservee(0)).size(), 99u);
    verifieEcranIntact();
}

INSTANTIATE_TEST_SUITE_P(Couleur, ImpressionEspionnee, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "monochrome" : "couleur"; });

}  // namespace

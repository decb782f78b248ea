#include "../common/LocaleScope.h"
#include "GrapheEssai.h"

#include "graph/Couleurs.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

namespace {

using Genre = TPrimitiveDessin::Genre;

const QColor noir(0, 0, 0);
const QColor rouge(255, 0, 0);
const QColor marine(0, 0, 128);

// Pixel of a world point through the graph's last layout.
QPoint pixel(const Tgraphe& g, double x, double y)
{
    int xi = 0, yi = 0;
    g.WindowXY(x, y, *g.mondeY, xi, yi);
    return {xi, yi};
}

// Texts drawn on the line of the abscissa labels, the axis title excepted.
QStringList etiquettesX(const Tgraphe& g, const TSurfaceEnregistreuse& s, const QString& titre)
{
    QStringList r;
    for (const TPrimitiveDessin& p : s.primitives())
        if (p.genre == Genre::texte && p.y1 == g.LimiteCourbe.Bottom + g.Marge && p.texte != titre)
            r << p.texte;
    return r;
}

QStringList etiquettesY(const Tgraphe& g, const TSurfaceEnregistreuse& s)
{
    QStringList r;
    for (const TPrimitiveDessin& p : s.primitives())
        if (p.genre == Genre::texte && p.x1 == g.LimiteFenetre.Left + g.Marge && p.y1 != g.LimiteFenetre.Top)
            r << p.texte;
    return r;
}

void courbeCourante(Tgraphe& g, int n)
{
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        g.mondeX->valeur[i] = 400 + 1.5 * k;
        g.mondeAbs->valeur[i] = 1 + std::sin(k / 20.0);
        g.MondeTrans->valeur[i] = std::pow(10.0, -g.mondeAbs->valeur[i]);
    }
    g.nbrePoints = static_cast<indiceVecteur>(n);
}

TEST(Draw, ecranEffaceLeFondPuisTraceParCouches)
{
    Tgraphe g;
    configureSpectre(g);
    courbeCourante(g, 100);
    g.traceDer = {false, true, true, true};
    g.AddCourbeCourante();
    g.listeRepere.push_back({500, QStringLiteral("r")});
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);

    const auto& p = s.primitives();
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p[0].genre, Genre::rempliRectangle);
    EXPECT_EQ(p[0].couleurBrosse, QColor(Qt::white));
    EXPECT_EQ(p[0].styleBrosse, TStyleBrosse::plein);
    EXPECT_EQ(QRect(p[0].x1, p[0].y1, p[0].x2, p[0].y2), QRect(0, 0, 540, 499));

    // Axes first, then the current curve, derivatives 1..3, kept curves, markers.
    auto premier = [&](const QColor& c) {
        for (std::size_t i = 0; i < p.size(); ++i)
            if (p[i].genre == Genre::ligne && p[i].couleurPlume == c) return static_cast<int>(i);
        return -1;
    };
    const int ordre[] = {premier(noir), premier(marine), premier(couleurs[1]), premier(couleurs[2]),
                         premier(couleurs[3]), premier(couleurConservee(0)), premier(rouge)};
    for (int i = 0; i < 7; ++i) ASSERT_GE(ordre[i], 0) << i;
    for (int i = 1; i < 7; ++i) EXPECT_LT(ordre[i - 1], ordre[i]) << i;
    EXPECT_EQ(lignesDeCouleur(s, marine).size(), 99u);
    EXPECT_EQ(lignesDeCouleur(s, couleurs[2]).size(), 99u);
}

TEST(Draw, courbeCouranteSurLesPixelsDeSesPoints)
{
    Tgraphe g;
    configureSpectre(g);
    courbeCourante(g, 3);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const Primitives l = lignesDeCouleur(s, marine);
    ASSERT_EQ(l.size(), 2u);
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(QPoint(l[k].x1, l[k].y1), pixel(g, g.mondeX->valeur[k], g.mondeAbs->valeur[k]));
        EXPECT_EQ(QPoint(l[k].x2, l[k].y2), pixel(g, g.mondeX->valeur[k + 1], g.mondeAbs->valeur[k + 1]));
        EXPECT_EQ(l[k].stylePlume, TStylePlume::plein);
        EXPECT_EQ(l[k].epaisseurPlume, 1);
    }
}

TEST(Graduations, axeDe0a3600SecondesEnFrancais)
{
    LocaleScope fr(LocaleScope::francais());
    Tgraphe g;
    configureCinetique(g, 3600);
    TSurfaceEnregistreuse large({0, 0, 2000, 499});
    dessineEcran(g, large);
    EXPECT_EQ(g.mondeX->deltaAxe, 500);
    // 0 lies on the left edge of the plotting area, where nothing is drawn.
    EXPECT_EQ(etiquettesX(g, large, QStringLiteral("t(s)")),
              (QStringList{u"500"_qs, u"1E3"_qs, u"1,5E3"_qs, u"2E3"_qs, u"2,5E3"_qs, u"3E3"_qs, u"3,5E3"_qs}));
    EXPECT_EQ(etiquettesY(g, large), (QStringList{u"0,5"_qs, u"1"_qs, u"1,5"_qs, u"2"_qs, u"2,5"_qs}));

    // Narrower, 3500 s falls within two characters of the title: its grid
    // line stays, its label goes.
    TSurfaceEnregistreuse etroit({0, 0, 540, 499});
    dessineEcran(g, etroit);
    const QStringList x = etiquettesX(g, etroit, QStringLiteral("t(s)"));
    EXPECT_EQ(x.last(), u"3E3"_qs);
    EXPECT_EQ(verticalesEn(etroit, pixel(g, 3500, 0).x()).size(), 1u);
}

TEST(Graduations, uneGraduationEgaleAMaxiNEstPasTracee)
{
    Tgraphe g;
    configureCinetique(g, 600);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    for (int t = 100; t <= 500; t += 100)
        EXPECT_EQ(verticalesEn(s, pixel(g, t, 0).x()).size(), 1u) << t;
    const Primitives aMaxi = verticalesEn(s, pixel(g, 600, 0).x());
    EXPECT_TRUE(std::none_of(aMaxi.begin(), aMaxi.end(), [](const TPrimitiveDessin& p) {
        return p.stylePlume == TStylePlume::pointilles;
    }));
    EXPECT_EQ(etiquettesX(g, s, QStringLiteral("t(s)")).last(), u"500"_qs);
}

TEST(Graduations, quadrillageOuTicks)
{
    for (bool quadrillage : {true, false}) {
        Tgraphe g;
        configureCinetique(g, 600);
        g.quadrillage = quadrillage;
        TSurfaceEnregistreuse s({0, 0, 540, 499});
        dessineEcran(g, s);
        const TRectangle c = g.LimiteCourbe;
        const Primitives v = verticalesEn(s, pixel(g, 300, 0).x());
        ASSERT_EQ(v.size(), 1u) << quadrillage;
        const Primitives h = filtre(s, [&](const TPrimitiveDessin& p) {
            return p.genre == Genre::ligne && p.y1 == pixel(g, 0, 1.5).y() && p.y2 == p.y1;
        });
        ASSERT_EQ(h.size(), 1u) << quadrillage;
        if (quadrillage) {
            EXPECT_EQ(v[0].stylePlume, TStylePlume::pointilles);
            EXPECT_EQ(QPoint(v[0].y1, v[0].y2), QPoint(c.Top, c.Bottom));
            EXPECT_EQ(h[0].stylePlume, TStylePlume::pointilles);
            EXPECT_EQ(QPoint(h[0].x1, h[0].x2), QPoint(c.Left, c.Right));
        } else {  // below the abscissa axis, to the right of the ordinate axis
            EXPECT_EQ(v[0].stylePlume, TStylePlume::plein);
            EXPECT_EQ(QPoint(v[0].y1, v[0].y2), QPoint(c.Bottom, c.Bottom + g.Marge));
            EXPECT_EQ(h[0].stylePlume, TStylePlume::plein);
            EXPECT_EQ(QPoint(h[0].x1, h[0].x2), QPoint(c.Left, c.Left + g.Marge));
        }
        EXPECT_EQ(v[0].couleurPlume, noir);
        EXPECT_EQ(v[0].epaisseurPlume, 1);
    }
}

TEST(Graduations, etiquetteTropPresDuBordGaucheOmiseMaisTickTrace)
{
    Tgraphe g;
    configureCinetique(g, 1000);
    g.mondeX->mini = -10;  // puts 0 at exactly Marge right of the left edge
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const int x0 = pixel(g, 0, 0).x();
    ASSERT_EQ(x0, g.LimiteCourbe.Left + g.Marge);
    EXPECT_FALSE(verticalesEn(s, x0).empty());
    const QStringList x = etiquettesX(g, s, QStringLiteral("t(s)"));
    EXPECT_FALSE(x.contains(u"0"_qs));
    EXPECT_TRUE(x.contains(u"200"_qs));
}

TEST(Graduations, leZeroDuCumulEnSimplePrecisionEstExact)
{
    LocaleScope fr(LocaleScope::francais());
    Tgraphe g;
    configureCinetique(g, 600);
    g.mondeAbs->mini = -0.5;
    g.mondeAbs->maxi = 0.5;
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    EXPECT_EQ(etiquettesY(g, s), (QStringList{u"-0,4"_qs, u"-0,2"_qs, u"0"_qs, u"0,2"_qs, u"0,4"_qs}));
    // The dotted line y = 0 across the plotting area.
    const int y0 = pixel(g, 0, 0).y();
    const Primitives zero = filtre(s, [&](const TPrimitiveDessin& p) {
        return p.genre == Genre::ligne && p.y1 == y0 && p.y2 == y0 && p.x1 == g.LimiteCourbe.Left
               && p.x2 == g.LimiteCourbe.Right;
    });
    ASSERT_FALSE(zero.empty());
    EXPECT_EQ(zero[0].stylePlume, TStylePlume::pointilles);
}

TEST(Axes, titresEtFleches)
{
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const QStringList t = textes(s);
    EXPECT_TRUE(t.contains(u"λ(nm)"_qs));
    EXPECT_TRUE(t.contains(u"A"_qs));
    const TRectangle c = g.LimiteCourbe;
    auto existe = [&](int x1, int y1, int x2, int y2) {
        return !filtre(s, [&](const TPrimitiveDessin& p) {
                    return p.genre == Genre::ligne && p.x1 == x1 && p.y1 == y1 && p.x2 == x2 && p.y2 == y2;
                }).empty();
    };
    EXPECT_TRUE(existe(0, c.Bottom, c.Right, c.Bottom));              // abscissa from the left edge
    EXPECT_TRUE(existe(c.Right - 15, c.Bottom + 5, c.Right, c.Bottom));
    EXPECT_TRUE(existe(c.Right - 15, c.Bottom - 5, c.Right, c.Bottom));
    EXPECT_TRUE(existe(c.Left, c.Bottom, c.Left, c.Top));
    EXPECT_TRUE(existe(c.Left - 5, c.Top + 15, c.Left, c.Top));
    EXPECT_TRUE(existe(c.Left + 5, c.Top + 15, c.Left, c.Top));

    g.mondeY = g.MondeTrans.get();
    s.efface();
    dessineEcran(g, s);
    EXPECT_TRUE(textes(s).contains(u"T(%)"_qs));
}

TEST(Axes, petiteZoneSansGraduationsTraceSeulementLesZeros)
{
    Tgraphe g;
    configureCinetique(g, 10);
    g.mondeX->mini = -10;
    g.mondeAbs->mini = -1;
    g.mondeAbs->maxi = 1;
    TSurfaceEnregistreuse s({0, 0, 150, 80});
    dessineEcran(g, s);
    EXPECT_FALSE(g.mondeX->avecAxe);
    EXPECT_FALSE(g.mondeY->avecAxe);
    EXPECT_TRUE(textes(s).isEmpty());
    const QPoint o = pixel(g, 0, 0);
    const TRectangle c = g.LimiteCourbe;
    const Primitives v = verticalesEn(s, o.x());
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].stylePlume, TStylePlume::plein);
    EXPECT_EQ(QPoint(v[0].y1, v[0].y2), QPoint(c.Bottom, c.Top));
    const Primitives h = filtre(s, [&](const TPrimitiveDessin& p) {
        return p.genre == Genre::ligne && p.y1 == o.y() && p.y2 == o.y();
    });
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(QPoint(h[0].x1, h[0].x2), QPoint(c.Left, c.Right));
}

TEST(Titre, grasNoirEtTronqueALaLargeurDuTrace)
{
    Tgraphe g;
    configureSpectre(g);
    g.Titre = QString(100, u'x');
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const Primitives t = filtre(s, [](const TPrimitiveDessin& p) { return p.gras; });
    ASSERT_EQ(t.size(), 1u);
    // The recording surface measures "A" 8 pixels wide at 16 pixels: 535 / 8.
    EXPECT_EQ(t[0].texte, QString(66, u'x'));
    EXPECT_EQ(QPoint(t[0].x1, t[0].y1), QPoint(g.LimiteCourbe.Left + g.Marge, g.Marge));
    EXPECT_EQ(t[0].couleurFonte, noir);
}

TEST(BandeVisible, rectanglesQuiSeChevauchentSousLAxe)
{
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const Primitives r = filtre(s, [](const TPrimitiveDessin& p) { return p.genre == Genre::rectangle; });
    // 490 pixels wide: steps of 2, 246 rectangles 4 pixels wide, no outline.
    ASSERT_EQ(r.size(), 246u);
    for (std::size_t c = 0; c < r.size(); ++c) {
        const int x = 45 + 2 * static_cast<int>(c);
        EXPECT_EQ(QRect(QPoint(r[c].x1, r[c].y1), QPoint(r[c].x2, r[c].y2)), QRect(QPoint(x - 2, 490), QPoint(x + 2, 499)));
        EXPECT_EQ(r[c].stylePlume, TStylePlume::aucun);
        double lambda = 0, y = 0;
        g.MondeXY(x, 0, *g.mondeY, lambda, y);
        EXPECT_EQ(r[c].couleurBrosse, longueurOndeVersCouleur(lambda)) << x;
    }
    EXPECT_EQ(r.front().couleurBrosse, noir);  // 190 nm
    EXPECT_TRUE(std::any_of(r.begin(), r.end(), [](const TPrimitiveDessin& p) {
        return p.couleurBrosse == QColor(163, 255, 0);
    }));
}

TEST(BandeVisible, traitsQuandLaZoneEstEtroite)
{
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 250, 300});
    dessineEcran(g, s);
    const int largeur = g.LimiteCourbe.Right - g.LimiteCourbe.Left;
    ASSERT_LT(largeur, 256);
    const Primitives bande = filtre(s, [&](const TPrimitiveDessin& p) {
        return p.genre == Genre::ligne && p.y1 == 300 && p.y2 == 300 - g.hauteurSpectre;
    });
    EXPECT_EQ(static_cast<int>(bande.size()), largeur + 1);
    EXPECT_TRUE(filtre(s, [](const TPrimitiveDessin& p) { return p.genre == Genre::rectangle; }).empty());
}

TEST(BandeVisible, absenteSousUnAxeDesTemps)
{
    Tgraphe g;
    configureCinetique(g, 600);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    EXPECT_TRUE(filtre(s, [](const TPrimitiveDessin& p) { return p.genre == Genre::rectangle; }).empty());
    const int sousLesEtiquettes = g.LimiteCourbe.Bottom + g.Marge;
    EXPECT_TRUE(filtre(s, [&](const TPrimitiveDessin& p) {
                    return std::min(p.y1, p.y2) > sousLesEtiquettes;
                }).empty());
}

TEST(CourbesGardees, couleurParIndiceEtOrdonneeMontree)
{
    Tgraphe g;
    configureSpectre(g);
    for (int i = 0; i < 5; ++i) {
        courbeCourante(g, 3);
        g.mondeAbs->valeur[0] = 0.1 * (i + 1);
        g.MondeTrans->valeur[0] = 0.9 - 0.1 * i;
        g.AddCourbeCourante();
    }
    g.nbrePoints = 0;
    g.listeDonnees.push_back({});  // one point: nothing drawn
    g.listeDonnees.back().nombre = 1;
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    const Primitives courbes = filtre(s, [](const TPrimitiveDessin& p) {
        return p.genre == Genre::ligne && p.couleurPlume != noir && p.stylePlume == TStylePlume::plein
               && p.y1 < 469 && p.x1 > 45;
    });
    ASSERT_EQ(courbes.size(), 10u);
    for (int i = 0; i < 5; ++i) {
        const TPrimitiveDessin& debut = courbes[static_cast<std::size_t>(2 * i)];
        EXPECT_EQ(debut.couleurPlume, couleurConservee(i)) << i;
        EXPECT_EQ(QPoint(debut.x1, debut.y1), pixel(g, 400, 0.1 * (i + 1))) << i;
    }
    g.mondeY = g.MondeTrans.get();
    s.efface();
    dessineEcran(g, s);
    const Primitives enT = lignesDeCouleur(s, couleurConservee(1));
    ASSERT_FALSE(enT.empty());
    EXPECT_EQ(QPoint(enT[0].x1, enT[0].y1), pixel(g, 400, 0.8));
}

TEST(Derivees, traceesAvecLeurCouleurDesDixPoints)
{
    for (int n : {9, 10}) {
        Tgraphe g;
        configureSpectre(g);
        courbeCourante(g, n);
        g.traceDer = {false, true, false, true};
        TSurfaceEnregistreuse s({0, 0, 540, 499});
        dessineEcran(g, s);
        const std::size_t attendu = n < 10 ? 0u : static_cast<std::size_t>(n - 1);
        EXPECT_EQ(lignesDeCouleur(s, couleurs[1]).size(), attendu) << n;
        EXPECT_TRUE(lignesDeCouleur(s, couleurs[2]).empty()) << n;
        EXPECT_EQ(lignesDeCouleur(s, couleurs[3]).size(), attendu) << n;
    }
}

TEST(Reperes, traitRougeEnTiretsMemeHorsDuTrace)
{
    Tgraphe g;
    configureCinetique(g, 600);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    s.efface();
    g.AjouteRepere(300, QStringLiteral("dedans"));
    g.AjouteRepere(900, QStringLiteral("dehors"));  // beyond the right edge
    ASSERT_EQ(s.primitives().size(), 2u);
    const int xs[] = {pixel(g, 300, 0).x(), pixel(g, 900, 0).x()};
    EXPECT_GT(xs[1], 540);
    for (std::size_t i = 0; i < 2; ++i) {
        const TPrimitiveDessin& p = s.primitives()[i];
        EXPECT_EQ(p.couleurPlume, rouge);
        EXPECT_EQ(p.stylePlume, TStylePlume::tirets);
        EXPECT_EQ(QRect(QPoint(p.x1, p.y1), QPoint(p.x2, p.y2)),
                  QRect(QPoint(xs[i], g.LimiteCourbe.Top), QPoint(xs[i], g.LimiteCourbe.Bottom)));
    }
    EXPECT_FALSE(textes(s).contains(u"dedans"_qs));
    s.efface();
    dessineEcran(g, s);
    EXPECT_EQ(lignesDeCouleur(s, rouge).size(), 2u);
}

TEST(TraceUnPoint, segmentVersLePointPrecedent)
{
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse s({0, 0, 540, 499});
    dessineEcran(g, s);
    courbeCourante(g, 5);
    s.efface();
    for (int i : {0, -1, 2001, 60000}) g.TraceUnPoint(i);
    EXPECT_TRUE(s.primitives().empty());
    g.TraceUnPoint(3);
    ASSERT_EQ(s.primitives().size(), 1u);
    const TPrimitiveDessin& p = s.primitives()[0];
    EXPECT_EQ(QPoint(p.x1, p.y1), pixel(g, g.mondeX->valeur[3], g.mondeAbs->valeur[3]));
    EXPECT_EQ(QPoint(p.x2, p.y2), pixel(g, g.mondeX->valeur[2], g.mondeAbs->valeur[2]));
    EXPECT_EQ(p.couleurPlume, marine);
    EXPECT_EQ(p.stylePlume, TStylePlume::plein);
    EXPECT_EQ(p.epaisseurPlume, 1);
}

TEST(TraceUnPoint, sansSurfaceNeFaitRien)
{
    Tgraphe g;
    g.mondeX->valeur[1] = 1;
    g.TraceUnPoint(1);
    g.AjouteRepere(3, QStringLiteral("r"));
    EXPECT_EQ(g.listeRepere.size(), 1u);
}

// A drawing on a page wider than the screen: upper half, margins, thicker
// curves, and black for everything but the kept curves and the colour band
// when the printer is monochrome.
TEST(Page, moitieHauteEtMonochrome)
{
    for (bool monochrome : {false, true}) {
        Tgraphe g;
        configureSpectre(g);
        courbeCourante(g, 50);
        g.traceDer = {false, true, true, true};
        g.AddCourbeCourante();
        g.listeRepere.push_back({600, QString()});
        g.largeurEcran = 542;
        g.ImprimanteMonochrome = monochrome;
        TSurfaceEnregistreuse page({0, 0, 4960, 7016});
        g.Draw(page);
        EXPECT_EQ(g.LimiteFenetre, (TRectangle{109, 109, 4851, 3508}));
        EXPECT_EQ(g.penWidth, 17);  // 2 x 4851 div 542
        EXPECT_EQ(g.HautCarac, 113);  // (3508 - 109) div 30
        for (const TPrimitiveDessin& p : page.primitives()) {
            EXPECT_NE(p.genre, Genre::rempliRectangle);  // no background on paper
            for (int y : {p.y1, p.y2}) {
                EXPECT_GE(y, 109);
                EXPECT_LE(y, 3508);
            }
            for (int x : {p.x1, p.x2}) {
                EXPECT_GE(x, 109 - 2 * 4851 / 256);
                EXPECT_LE(x, 4851 + 2 * 4851 / 256);
            }
        }
        const QColor courbe = monochrome ? noir : marine;
        const Primitives c = lignesDeCouleur(page, courbe);
        EXPECT_GE(c.size(), 49u);
        EXPECT_EQ(c.back().epaisseurPlume, 17);
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(lignesDeCouleur(page, couleurs[static_cast<std::size_t>(j)]).empty(), monochrome) << j;
        EXPECT_EQ(lignesDeCouleur(page, rouge).empty(), monochrome);
        EXPECT_EQ(lignesDeCouleur(page, couleurConservee(0)).size(), 49u);
        EXPECT_TRUE(std::any_of(page.primitives().begin(), page.primitives().end(), [](const TPrimitiveDessin& p) {
            return p.genre == Genre::rectangle && p.couleurBrosse == QColor(255, 0, 0);
        }));
    }
}

TEST(Page, sansLargeurEcranConnueLaPlumeResteFine)
{
    Tgraphe g;
    configureSpectre(g);
    TSurfaceEnregistreuse page({0, 0, 4960, 7016});
    g.Draw(page);  // largeurEcran still 0: never drawn on screen
    EXPECT_EQ(g.penWidth, 1);
}

struct CasPetit {
    const char* nom;
    TRectangle clip;
    double minX;
    double maxX;
    bool pointsDansLeTrace;  // the curves lie within the limits (or collapse on an edge)
};

void PrintTo(const CasPetit& c, std::ostream* os) { *os << c.nom; }

class ZoneDegeneree : public ::testing::TestWithParam<CasPetit> {};

// Nothing divides by zero, no transform is infinite or NaN, the graduation
// loops end, and what lies within the limits lands within the plotting area.
TEST_P(ZoneDegeneree, dessineCeQuiTientSansPlanter)
{
    const CasPetit c = GetParam();
    Tgraphe g;
    configureSpectre(g);
    g.SetMonde(c.minX, 0, c.maxX, 3);
    courbeCourante(g, 301);
    g.traceDer = {false, true, true, true};
    g.AddCourbeCourante();
    g.listeRepere.push_back({500, QString()});
    TSurfaceEnregistreuse s(c.clip);
    g.largeurEcran = std::max(c.clip.Right, 0) + 2;
    g.Draw(s);
    g.TraceUnPoint(10);
    const int proche = g.CourbeProche(g.LimiteCourbe.Left, g.LimiteCourbe.Top);
    EXPECT_TRUE(proche == -1 || proche == 0);

    EXPECT_LT(s.primitives().size(), 10000u);
    for (const Tmonde* m : {g.mondeX.get(), g.mondeAbs.get(), g.mondeDer[1].get(), g.mondeDer[2].get(),
                            g.mondeDer[3].get()}) {
        EXPECT_TRUE(std::isfinite(m->a) && std::isfinite(m->b)) << m->a << " " << m->b;
        EXPECT_TRUE(std::isfinite(m->deltaAxe) && std::isfinite(m->pointDebut));
    }
    if (!c.pointsDansLeTrace) return;
    const TRectangle l = g.LimiteCourbe;
    const QRect trace = QRect(QPoint(l.Left, l.Top), QPoint(l.Right, l.Bottom)).normalized().adjusted(-1, -1, 1, 1);
    for (const TPrimitiveDessin& p : s.primitives()) {
        const bool courbe = p.genre == Genre::ligne && p.stylePlume == TStylePlume::plein
                            && p.couleurPlume != noir && p.couleurPlume != rouge;
        if (courbe && p.y1 != c.clip.Bottom) {  // the colour band lies below
            EXPECT_TRUE(trace.contains(p.x1, p.y1) && trace.contains(p.x2, p.y2))
                << p.x1 << "," << p.y1 << " " << p.x2 << "," << p.y2;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cas, ZoneDegeneree, ::testing::Values(
    CasPetit{"vide", {0, 0, 0, 0}, 190, 1100, true},
    CasPetit{"unPixel", {0, 0, 1, 1}, 190, 1100, true},
    CasPetit{"minuscule", {0, 0, 30, 20}, 190, 1100, true},
    CasPetit{"plate", {0, 0, 540, 3}, 190, 1100, true},
    CasPetit{"etroite", {0, 0, 3, 499}, 190, 1100, true},
    CasPetit{"renversee", {10, 10, 5, 5}, 190, 1100, true},
    CasPetit{"limitesEgales", {0, 0, 540, 499}, 500, 500, true},
    CasPetit{"limitesInversees", {0, 0, 540, 499}, 1100, 190, true},
    CasPetit{"etendueSousLaPrecision", {0, 0, 540, 499}, 1e7, 1e7 + 0.001, false},
    CasPetit{"etendueImmense", {0, 0, 540, 499}, -1e300, 1e300, true}),
    [](const ::testing::TestParamInfo<CasPetit>& info) { return std::string(info.param.nom); });

}  // namespace

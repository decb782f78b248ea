// JCAMP-DX: the labels in their order, X increasing, "." in every locale.
#include "GraphesExport.h"
#include "LocaleScope.h"

#include "export/EchangeJcamp.h"
#include "export/FichierExport.h"
#include "SortieEssais.h"

#include <QFile>

#include <cmath>

#include <gtest/gtest.h>

namespace {

QStringList lignes(std::initializer_list<const char*> textes)
{
    QStringList l;
    for (const char* t : textes) l << QString::fromUtf8(t);
    return l;
}

const TContexteExport contexte{QStringLiteral("/opt/lumko/bin/lumko"), QString(), QStringLiteral("10/12/2026 14:05:09")};

TEST(Jcamp, SpectreDescenduEcritParXCroissants)
{
    LocaleScope francais(LocaleScope::francais());
    Tgraphe g;
    remplitSpectre(g, {800.0, 650.0, 500.0}, {0.0, 0.30103, 1.5});
    g.mondeY = g.MondeTrans.get();
    const QStringList attendu = lignes({
        "##TITLE=Spectre Orvanne 10/12/2026 14:05:09", "##JCAMP-DX=5.01", "##DATA TYPE=UV/VIS SPECTRUM",
        "##DATA CLASS=XYPOINTS", "##ORIGIN=Lumko, spectrophotometre UV-visible Orvanne", "##OWNER=marie",
        "##XUNITS=NANOMETERS", "##YUNITS=ABSORBANCE", "##XFACTOR=1", "##YFACTOR=1", "##FIRSTX=500",
        "##LASTX=800", "##NPOINTS=3", "##FIRSTY=1.5", "##XYPOINTS=(XY..XY)", "500, 1.5", "650, 0.30103",
        "800, 0", "##END="});
    EXPECT_EQ(fichierJcampSpectre(g, contexte, QStringLiteral("marie")).lignes, attendu);
}

TEST(Jcamp, CinetiqueEnSecondesTitreDuCommentaireEnASCII)
{
    Tgraphe g;
    remplitCinetique(g, {0.0, 2.0, 4.0}, {1.5, 1.25, 0.0625});
    const TContexteExport c{contexte.executable, QStringLiteral("Décoloration à 590 nm, λmax"), contexte.dateHeure};
    const QStringList f = fichierJcampCinetique(g, c, QString()).lignes;
    EXPECT_EQ(f[0], QStringLiteral("##TITLE=Decoloration a 590 nm, ?max"));
    // A data type that readers know, time in a standard unit, and a
    // private label that says what the curve is.
    EXPECT_EQ(f[2], QStringLiteral("##DATA TYPE=UV/VIS SPECTRUM"));
    EXPECT_EQ(f[5], QStringLiteral("##OWNER=PUBLIC DOMAIN"));
    EXPECT_EQ(f[6], QStringLiteral("##$KINETICS=ABSORBANCE AGAINST TIME AT ONE WAVELENGTH"));
    EXPECT_EQ(f[7], QStringLiteral("##XUNITS=SECONDS"));
    EXPECT_EQ(f.mid(f.indexOf(QStringLiteral("##XYPOINTS=(XY..XY)"))),
              lignes({"##XYPOINTS=(XY..XY)", "0, 1.5", "2, 1.25", "4, 0.0625", "##END="}));
    for (const QString& l : f) {
        EXPECT_LE(l.size(), 80) << l.toStdString();
        for (const QChar ch : l) EXPECT_TRUE(ch.unicode() >= 0x20 && ch.unicode() < 0x7F) << l.toStdString();
    }
}

// A NaN and an infinite point are left out, counted, and the labels
// describe the points written.
TEST(Jcamp, PointsNonFinisEcartesEtComptes)
{
    Tgraphe g;
    remplitSpectre(g, {800.0, HUGE_VAL, 600.0, 500.0}, {0.1, 0.2, std::nan(""), 0.4});
    const TFichierJcamp f = fichierJcampSpectre(g, contexte, QStringLiteral("marie"));
    EXPECT_EQ(f.pointsEcartes, 2);
    EXPECT_EQ(f.lignes.mid(f.lignes.indexOf(QStringLiteral("##FIRSTX=500"))),
              lignes({"##FIRSTX=500", "##LASTX=800", "##NPOINTS=2", "##FIRSTY=0.4", "##XYPOINTS=(XY..XY)",
                      "500, 0.4", "800, 0.1", "##END="}));

    Tgraphe c;
    remplitCinetique(c, {0.0, 2.0}, {-HUGE_VAL, std::nan("")});
    const TFichierJcamp vide = fichierJcampCinetique(c, contexte, QString());
    EXPECT_EQ(vide.pointsEcartes, 2);
    EXPECT_EQ(vide.lignes.mid(vide.lignes.indexOf(QStringLiteral("##NPOINTS=0"))),
              lignes({"##NPOINTS=0", "##XYPOINTS=(XY..XY)", "##END="}));
}

TEST(Jcamp, TitreLongCoupeEtExtension)
{
    EXPECT_EQ(texteJcamp(QString(100, u'x'), 72).size(), 72);
    EXPECT_TRUE(estFormatJcamp(QStringLiteral("/tmp/essai.JDX")));
    EXPECT_TRUE(estFormatJcamp(QStringLiteral("essai.jdx")));
    EXPECT_FALSE(estFormatJcamp(QStringLiteral("essai.dx")));
}

} // namespace

namespace {

// A file a person (or another spectroscopy program) can open.
TEST(Jcamp, FichierDExemple)
{
    Tgraphe g;
    std::vector<double> x, a;
    for (int k = 0; k < 201; ++k) {
        x.push_back(700.0 - k);
        a.push_back(1.2 * std::exp(-0.5 * std::pow((700.0 - k - 590.0) / 30.0, 2)));
    }
    remplitSpectre(g, x, a);
    const QString chemin = fichierSortieEssais(QStringLiteral("spectre-exemple.jdx"));
    ASSERT_EQ(ecritFichierExport(chemin, fichierJcampSpectre(g, contexte, QStringLiteral("lumko")).lignes), QString());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray texte = f.readAll();
    EXPECT_EQ(texte.count("\r\n"), 19 + 201 - 3);
    EXPECT_TRUE(texte.endsWith("##END=\r\n"));
}

} // namespace

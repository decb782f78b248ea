// The exchange texts, whole, byte for byte, from small graphs.
#include "GraphesExport.h"
#include "LocaleScope.h"

#include "export/EchangeCinetique.h"
#include "export/EchangeJcamp.h"
#include "export/EchangeSpectre.h"
#include "export/MarquesEchange.h"
#include "export/TContexteExport.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace {

// Lines written as UTF-8 literals.
QStringList lignes(std::initializer_list<const char*> textes)
{
    QStringList l;
    for (const char* t : textes) l << QString::fromUtf8(t);
    return l;
}

const TContexteExport sansCommentaire{QStringLiteral("/opt/lumko/bin/lumko"), QString(),
                                      QStringLiteral("10/12/2026 14:05:09")};
const TContexteExport avecCommentaire{QStringLiteral("/opt/lumko/bin/lumko"), QStringLiteral("Bleu de méthylène"),
                                      QStringLiteral("10/12/2026 14:05:09")};

// A 3-point curve scanned downwards, under a French locale: the numbers
// still use ".".
class EchangeSpectreTest : public ::testing::Test {
protected:
    void SetUp() override { remplitSpectre(g_, {800.0, 650.0, 500.0}, {0.0, 0.30103, 1.5}); }
    LocaleScope francais_{LocaleScope::francais()};
    Tgraphe g_;
};

TEST_F(EchangeSpectreTest, fichierDEchange)
{
    const QStringList attendu = lignes({
        "MORVALEN TABRELIX WINDOWS 1.0", "£3 NOM VAR", "λ", "A", "T", "£3 UNITE VAR", "nm", "", "%",
        "£3 SIGNIF VAR", "Longueur d'onde", "Absorbance", "Transmittance", "£1 ACQUISITION",
        "/opt/lumko/bin/lumko", "£1 PAGE COMMENT", "10/12/2026 14:05:09", "&3 VALEUR VAR",
        "800 0 1", "650 0.30103 0.5", "500 1.5 0.03162278"});
    EXPECT_EQ(fichierEchangeSpectre(g_, sansCommentaire), attendu);
    EXPECT_EQ(fichierEchangeSpectre(g_, sansCommentaire).size(), 18 + 3);
    EXPECT_EQ(fichierEchangeSpectre(g_, avecCommentaire)[16], QStringLiteral("Bleu de méthylène"));
}

TEST_F(EchangeSpectreTest, fichierTableur)
{
    const QStringList attendu = lignes({"Spectre Orvanne 10/12/2026 14:05:09", "λ\tA\tT", "nm\t \t%", "",
                                 "800\t0\t1", "650\t0.30103\t0.5", "500\t1.5\t0.03162278"});
    EXPECT_EQ(ecritTableur(g_, sansCommentaire), attendu);
    EXPECT_EQ(ecritTableur(g_, avecCommentaire)[3], QStringLiteral("Bleu de méthylène"));
}

// Increasing wavelengths; the options block only for a new file.
TEST_F(EchangeSpectreTest, texteDeTransfert)
{
    const QStringList debut = lignes({"/opt/lumko/bin/lumko", "Spectre  10/12/2026 14:05:09", "", "λ\tA\tT", "nm\t\t%",
                               "Longueur d'onde\tabsorbance\ttransmittance", "500\t1.5\t0.03162278",
                               "650\t0.30103\t0.5", "800\t0\t1"});
    EXPECT_EQ(texteTransfertSpectre(g_, sansCommentaire, false), debut);
    const QStringList options = lignes({"&1 NOMX", "λ", "&1 NOMY", "A", "&1 COULEUR", "8388608", "&1 LIGNE", "2"});
    EXPECT_EQ(texteTransfertSpectre(g_, sansCommentaire, true), debut + options);
    g_.mondeY = g_.MondeTrans.get();
    EXPECT_EQ(texteTransfertSpectre(g_, sansCommentaire, true)[12], QStringLiteral("T")) << "the ordinate shown";
}

// A kept curve with fewer points than the current one, scanned downwards:
// its own points, shortest wavelength first.
TEST_F(EchangeSpectreTest, courbeConservee)
{
    Tgraphe conservee;
    remplitSpectre(conservee, {700.0, 600.0}, {0.25, 2.0});
    g_.AddCourbeCourante();
    g_.listeDonnees.push_back({conservee.mondeX->valeur, conservee.mondeAbs->valeur, conservee.MondeTrans->valeur, 2});
    const QStringList attendu = lignes({"/opt/lumko/bin/lumko", "Spectre  10/12/2026 14:05:09", "Bleu de méthylène",
                                 "λ\tA\tT", "nm\t\t%", "Longueur d'onde\t", "600\t2\t0.01", "700\t0.25\t0.5623413"});
    EXPECT_EQ(texteCourbeConservee(g_, 1, avecCommentaire), attendu);
    EXPECT_EQ(texteCourbeConservee(g_, 0, avecCommentaire).size(), 6 + 3);
}

TEST_F(EchangeSpectreTest, unCommentaireColleSurPlusieursLignesResteSurUne)
{
    const TContexteExport c{sansCommentaire.executable, QStringLiteral("a\r\nb\nc"), sansCommentaire.dateHeure};
    EXPECT_EQ(fichierEchangeSpectre(g_, c).size(), 21);
    EXPECT_EQ(ecritTableur(g_, c)[3], QStringLiteral("a b c"));
}

// A user's text as the exchange writers write it (texteUtilisateur) and as
// a JCAMP-DX label's value (texteJcamp).
TEST(TexteUtilisateur, NiDeclarationNiOptionNiCommentaireNiLigneCassee)
{
    struct Cas {
        const char* texte;
        const char* echange;
        const char* jcamp;
    };
    const Cas cas[] = {
        {"£3 NOM VAR", " £3 NOM VAR", "?3 NOM VAR"},
        {"&1 NOMX", " &1 NOMX", "&1 NOMX"},
        {"£", " £", "?"},
        {" £3 déjà décalé", " £3 déjà décalé", " ?3 deja decale"},
        {"Bleu de méthylène & eau", "Bleu de méthylène & eau", "Bleu de methylene & eau"},
        {"", "", ""},
        {"prix $$ 10 ## note", "prix $$ 10 ## note", "prix $ $ 10 # # note"},
        {"$$$###", "$$$###", "$ $ $# # #"},
        {"#\xcc\x81#", "#\xcc\x81#", "# #"},
        {"a\r\nb\nc\rd", "a b c d", "a b c d"},
        {"\n£3 NOM VAR", " £3 NOM VAR", " ?3 NOM VAR"},
        {"a\xe2\x80\xa8" "b\xc2\x85" "c\vd\fe", "a b c d e", "a b c d e"},
    };
    for (const Cas& c : cas) {
        const QString texte = QString::fromUtf8(c.texte);
        EXPECT_EQ(texteUtilisateur(texte), QString::fromUtf8(c.echange)) << c.texte;
        EXPECT_EQ(texteJcamp(texte, 72), QString::fromUtf8(c.jcamp)) << c.texte;
    }
    EXPECT_EQ(texteUtilisateur(QString(QChar(u'\0')) + u'x'), QStringLiteral(" x")) << "NUL ends a clipboard text";
}

// Wherever a user's text lands, the same text.
TEST_F(EchangeSpectreTest, unCommentaireQuiCommenceParUneMarqueEstDecale)
{
    const TContexteExport c{sansCommentaire.executable, QStringLiteral("&3 VALEUR VAR"), sansCommentaire.dateHeure};
    g_.Titre = QStringLiteral("£1 PAGE COMMENT");
    g_.AddCourbeCourante();
    EXPECT_EQ(fichierEchangeSpectre(g_, c)[16], QStringLiteral(" &3 VALEUR VAR"));
    EXPECT_EQ(ecritTableur(g_, c)[3], QStringLiteral(" &3 VALEUR VAR"));
    EXPECT_EQ(texteTransfertSpectre(g_, c, true)[2], QStringLiteral(" &3 VALEUR VAR"));
    EXPECT_EQ(texteCourbeConservee(g_, 0, c).mid(2, 4),
              lignes({" &3 VALEUR VAR", "λ\tA\tT", "nm\t\t%", "Longueur d'onde\t £1 PAGE COMMENT"}));
}

class EchangeCinetiqueTest : public ::testing::Test {
protected:
    void SetUp() override { remplitCinetique(g_, {0.0, 2.0, 4.0}, {1.5, 1.25, 0.0625}); }
    LocaleScope francais_{LocaleScope::francais()};
    Tgraphe g_;
};

TEST_F(EchangeCinetiqueTest, fichierDEchangeAvecTroisReperes)
{
    g_.listeRepere = {{0.0, QStringLiteral("début")}, {2.0, QStringLiteral("ajout du réactif")}, {4.0, QString()}};
    const QStringList attendu = lignes({
        "MORVALEN TABRELIX WINDOWS 1.0", "£2 NOM VAR", "t", "A", "£2 UNITE VAR", "s", "", "£2 SIGNIF VAR",
        "durée", "Absorbance", "£1 ACQUISITION", "/opt/lumko/bin/lumko", "£1 PAGE COMMENT",
        "Suivi de cinétique par spectro orvanne 10/12/2026 14:05:09", "&3 VALEUR VAR", "0 1.5", "2 1.25",
        "4 0.0625", "&3 REPERE", "0\tdébut", "2\tajout du réactif", "4\t"});
    EXPECT_EQ(fichierEchangeCinetique(g_, sansCommentaire), attendu);
    EXPECT_EQ(fichierEchangeCinetique(g_, avecCommentaire)[13], QStringLiteral("Bleu de méthylène"));
}

TEST_F(EchangeCinetiqueTest, unCommentaireOuUnRepereQuiCommenceParUneMarqueEstDecale)
{
    const TContexteExport c{sansCommentaire.executable, QStringLiteral("£2 NOM VAR"), sansCommentaire.dateHeure};
    g_.listeRepere = {{2.0, QStringLiteral("&1 REPERE\r\n£1 PAGE COMMENT")}};
    const QStringList f = fichierEchangeCinetique(g_, c);
    EXPECT_EQ(f[13], QStringLiteral(" £2 NOM VAR"));
    EXPECT_EQ(f.mid(18), lignes({"&1 REPERE", "2\t &1 REPERE £1 PAGE COMMENT"}));
    EXPECT_EQ(texteTransfertCinetique(g_, c)[2], QStringLiteral(" £2 NOM VAR"));
}

TEST_F(EchangeCinetiqueTest, sansRepereLeFichierFinitSurLaDerniereValeur)
{
    const QStringList f = fichierEchangeCinetique(g_, avecCommentaire);
    EXPECT_EQ(f.size(), 15 + 3);
    EXPECT_EQ(f.last(), QStringLiteral("4 0.0625"));
}

TEST_F(EchangeCinetiqueTest, tableurEtTransfert)
{
    g_.listeRepere = {{2.0, QStringLiteral("x")}};
    EXPECT_EQ(fichierTableurCinetique(g_),
              (lignes({"Cinétique avec orvanne", "t\tA", "s\t", "0\t1.5", "2\t1.25", "4\t0.0625"})));
    EXPECT_EQ(texteTransfertCinetique(g_, avecCommentaire),
              (lignes({"/opt/lumko/bin/lumko", "Cinétique 10/12/2026 14:05:09", "Bleu de méthylène", "t\tA",
                           "s\t", "0\t1.5", "2\t1.25", "4\t0.0625"})));
}

TEST(TContexteExport, DateEtHeureDeLaLocale)
{
    const QDateTime moment(QDate(2026, 12, 10), QTime(14, 5, 9));
    EXPECT_EQ(texteDateHeure(moment, LocaleScope::francais()), QStringLiteral("10/12/2026 14:05:09"));
    EXPECT_EQ(texteDateHeure(moment, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("12/10/26 2:05:09 PM"));
    EXPECT_EQ(texteLignes(lignes({"a", "", "b"})), QStringLiteral("a\r\n\r\nb\r\n"));
}

} // namespace

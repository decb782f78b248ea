#include "common/NomFichierIni.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

TEST(nomIniVoisin, ExtensionRemplaceeOuAjoutee)
{
    struct Cas { QString executable, attendu; };
    const Cas cas[] = {
        {u"lumko"_s, u"lumko.ini"_s},
        {u"/a/b/lumko.exe"_s, u"/a/b/lumko.ini"_s},
        {u"/usr/bin/lumko"_s, u"/usr/bin/lumko.ini"_s},
        {u"/opt/lumko-1.2/lumko"_s, u"/opt/lumko-1.2/lumko.ini"_s},   // dotted folder
        {u"/opt/lumko.d/bin/lumko.exe"_s, u"/opt/lumko.d/bin/lumko.ini"_s},
        {u"/a/lumko.tar.gz"_s, u"/a/lumko.tar.ini"_s},                 // last dot only
        {u"/a/lumko."_s, u"/a/lumko.ini"_s},
        {u"/a/.lumko"_s, u"/a/.lumko.ini"_s},                          // hidden, no extension
        {u"./lumko"_s, u"./lumko.ini"_s},
    };
    for (const auto& c : cas)
        EXPECT_EQ(nomIniVoisin(c.executable), c.attendu) << c.executable.toStdString();
}

TEST(choisitCheminsIni, ACoteDeLExecutableSaufSIlNePeutYEtreEcrit)
{
    struct Cas {
        const char* nom;
        QString executable;
        bool voisinInscriptible;
        QString xdg, home, personnel, commun;
    };
    const Cas cas[] = {
        {"inscriptible", u"/opt/lumko/lumko"_s, true, u"/x/cfg"_s, u"/home/u"_s, u"/opt/lumko/lumko.ini"_s, u""_s},
        {"fichier en lecture seule", u"/usr/bin/lumko"_s, false, u"/x/cfg"_s, u"/home/u"_s,
         u"/x/cfg/lumko/lumko.ini"_s, u"/usr/bin/lumko.ini"_s},
        {"XDG_CONFIG_HOME avec /", u"/usr/bin/lumko.exe"_s, false, u"/x/cfg/"_s, u"/home/u"_s,
         u"/x/cfg/lumko/lumko.ini"_s, u"/usr/bin/lumko.ini"_s},
        {"~/.config par defaut", u"/usr/bin/lumko"_s, false, u""_s, u"/home/u"_s,
         u"/home/u/.config/lumko/lumko.ini"_s, u"/usr/bin/lumko.ini"_s},
        {"XDG_CONFIG_HOME relatif ignore", u"/usr/bin/lumko"_s, false, u"cfg"_s, u"/home/u"_s,
         u"/home/u/.config/lumko/lumko.ini"_s, u"/usr/bin/lumko.ini"_s},
        {"dossier pointe", u"/opt/lumko-1.2/lumko"_s, false, u""_s, u"/root"_s, u"/root/.config/lumko/lumko.ini"_s,
         u"/opt/lumko-1.2/lumko.ini"_s},
        {"copie renommee", u"/usr/bin/lumko-essai"_s, false, u""_s, u"/home/u"_s,
         u"/home/u/.config/lumko-essai/lumko-essai.ini"_s, u"/usr/bin/lumko-essai.ini"_s},
        {"ni XDG ni HOME", u"/usr/bin/lumko"_s, false, u""_s, u""_s, u"/usr/bin/lumko.ini"_s, u""_s},
    };
    for (const auto& c : cas) {
        const TCheminsIni chemins = choisitCheminsIni(c.executable, c.voisinInscriptible, c.xdg, c.home);
        EXPECT_EQ(chemins.personnel, c.personnel) << c.nom;
        EXPECT_EQ(chemins.commun, c.commun) << c.nom;
    }
}

// A file made read-only is left alone, even by root; a file that is not
// there yet can be written when its folder can.
TEST(peutEcrireFichier, DossierInscriptibleEtFichierAvecUnDroitDEcriture)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString inscriptible = dossier.filePath(u"inscriptible.ini"_s);
    const QString lectureSeule = dossier.filePath(u"lecture-seule.ini"_s);
    for (const QString& chemin : {inscriptible, lectureSeule}) {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::setPermissions(lectureSeule, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(QDir(dossier.path()).mkdir(u"dossier.ini"_s));
    const struct {
        QString chemin;
        bool attendu;
    } cas[] = {
        {inscriptible, true},
        {lectureSeule, false},
        {dossier.filePath(u"absent.ini"_s), true},
        {dossier.filePath(u"absent/lumko.ini"_s), false},
        {dossier.filePath(u"dossier.ini"_s), false},
    };
    for (const auto& c : cas) EXPECT_EQ(peutEcrireFichier(c.chemin), c.attendu) << c.chemin.toStdString();
}

class NomFichierIniGlobal : public ::testing::Test {
protected:
    ~NomFichierIniGlobal() override { fixeNomFichierIni(ancien_); }
    TCheminsIni ancien_ = CheminsIni();
};

TEST_F(NomFichierIniGlobal, FixeAuDemarrageDepuisLExecutable)
{
    // The test executable sits in the build folder, which can be written.
    fixeNomFichierIni();
    EXPECT_EQ(NomFichierIni(), nomIniVoisin(QCoreApplication::applicationFilePath()));
    EXPECT_TRUE(NomFichierIni().endsWith(u"/lumko_tests_common.ini"_s));
    EXPECT_TRUE(CheminsIni().commun.isEmpty());

    fixeNomFichierIni(u"/tmp/autre.ini"_s);
    EXPECT_EQ(NomFichierIni(), u"/tmp/autre.ini"_s);
    fixeNomFichierIni({u"/home/u/.config/lumko/lumko.ini"_s, u"/usr/bin/lumko.ini"_s});
    EXPECT_EQ(NomFichierIni(), u"/home/u/.config/lumko/lumko.ini"_s);
    EXPECT_EQ(CheminsIni().commun, u"/usr/bin/lumko.ini"_s);
}

} // namespace

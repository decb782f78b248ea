#include "common/NomFichierIni.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

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

TEST(choisitNomFichierIni, ACoteDeLExecutableSaufDossierProtegeSansFichier)
{
    struct Cas {
        const char* nom;
        QString executable;
        bool voisinExiste, dossierInscriptible;
        QString xdg, home, attendu;
    };
    const Cas cas[] = {
        {"dossier inscriptible", u"/opt/lumko/lumko"_s, false, true, u"/x/cfg"_s, u"/home/u"_s,
         u"/opt/lumko/lumko.ini"_s},
        {"fichier deja la", u"/usr/bin/lumko"_s, true, false, u"/x/cfg"_s, u"/home/u"_s,
         u"/usr/bin/lumko.ini"_s},
        {"XDG_CONFIG_HOME", u"/usr/bin/lumko"_s, false, false, u"/x/cfg"_s, u"/home/u"_s,
         u"/x/cfg/lumko/lumko.ini"_s},
        {"XDG_CONFIG_HOME avec /", u"/usr/bin/lumko.exe"_s, false, false, u"/x/cfg/"_s, u"/home/u"_s,
         u"/x/cfg/lumko/lumko.ini"_s},
        {"~/.config par defaut", u"/usr/bin/lumko"_s, false, false, u""_s, u"/home/u"_s,
         u"/home/u/.config/lumko/lumko.ini"_s},
        {"XDG_CONFIG_HOME relatif ignore", u"/usr/bin/lumko"_s, false, false, u"cfg"_s, u"/home/u"_s,
         u"/home/u/.config/lumko/lumko.ini"_s},
        {"dossier pointe", u"/opt/lumko-1.2/lumko"_s, false, false, u""_s, u"/root"_s,
         u"/root/.config/lumko/lumko.ini"_s},
        {"ni XDG ni HOME", u"/usr/bin/lumko"_s, false, false, u""_s, u""_s,
         u"/usr/bin/lumko.ini"_s},
    };
    for (const auto& c : cas)
        EXPECT_EQ(choisitNomFichierIni(c.executable, c.voisinExiste, c.dossierInscriptible, c.xdg, c.home),
                  c.attendu)
            << c.nom;
}

class NomFichierIniGlobal : public ::testing::Test {
protected:
    ~NomFichierIniGlobal() override { fixeNomFichierIni(ancien_); }
    QString ancien_ = NomFichierIni();
};

TEST_F(NomFichierIniGlobal, FixeAuDemarrageDepuisLExecutable)
{
    // The test executable sits in the build folder, which can be written.
    fixeNomFichierIni();
    EXPECT_EQ(NomFichierIni(), nomIniVoisin(QCoreApplication::applicationFilePath()));
    EXPECT_TRUE(NomFichierIni().endsWith(u"/lumko_tests_common.ini"_s));

    fixeNomFichierIni(u"/tmp/autre.ini"_s);
    EXPECT_EQ(NomFichierIni(), u"/tmp/autre.ini"_s);
}

} // namespace

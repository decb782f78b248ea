#include "link/Peripheriques.h"
#include "link/TNomsPorts.h"

#include "TPtyBrut.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

TEST(Peripheriques, NumerosParDefaut)
{
    const std::pair<int, const char*> cas[] = {
        {1, "/dev/ttyS0"},    {16, "/dev/ttyS15"},  {17, "/dev/ttyUSB0"}, {32, "/dev/ttyUSB15"},
        {33, "/dev/ttyACM0"}, {48, "/dev/ttyACM15"}, {49, ""},            {50, ""},
        {0, ""},              {-1, ""},
    };
    for (const auto& [numero, chemin] : cas)
        EXPECT_EQ(peripheriqueParDefaut(numero), QLatin1String(chemin)) << numero;
}

TEST(Peripheriques, ErreursQuiProuventLaPresence)
{
    const std::pair<int, bool> cas[] = {{EBUSY, true},   {EACCES, true}, {EPERM, true},
                                        {ENOENT, false}, {ENXIO, false}, {EIO, false},
                                        {ENODEV, false}};
    for (const auto& [erreur, present] : cas) EXPECT_EQ(erreurSignalePortPresent(erreur), present) << erreur;
}

class TNomsPortsTest : public ::testing::Test {
protected:
    void ecritIni(const QByteArray& contenu)
    {
        QFile f(ini_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenu);
    }

    QTemporaryDir dossier_;
    QString ini_ = dossier_.filePath(u"lumko.ini"_s);
    TNomsPorts noms_{ini_};
};

TEST_F(TNomsPortsTest, EntreesDuFichierPuisNomsUsuels)
{
    ecritIni("[Ports]\r\nCOM3=/dev/ttyUSB4\r\nCOM50=/tmp/instrument\r\n");
    EXPECT_EQ(noms_.nomPort(3), u"/dev/ttyUSB4"_s);
    EXPECT_EQ(noms_.nomPort(50), u"/tmp/instrument"_s);
    EXPECT_EQ(noms_.nomPort(4), u"/dev/ttyS3"_s);
    EXPECT_EQ(noms_.nomPort(49), QString());
}

TEST_F(TNomsPortsTest, SansFichierLesNomsUsuels)
{
    EXPECT_EQ(noms_.nomPort(20), u"/dev/ttyUSB3"_s);
}

TEST_F(TNomsPortsTest, PresenceDesPeripheriques)
{
    TPtyBrut pty(dossier_.filePath(u"instrument"_s));
    ASSERT_TRUE(pty.ok());
    const QString lien = dossier_.filePath(u"autre-nom"_s);
    ASSERT_TRUE(QFile::link(pty.esclave(), lien));
    const QString fichierOrdinaire = dossier_.filePath(u"ordinaire"_s);
    QFile(fichierOrdinaire).open(QIODevice::WriteOnly);
    ecritIni("[Ports]\nCOM7=" + pty.esclave().toLocal8Bit() + "\nCOM8=" + lien.toLocal8Bit()
             + "\nCOM9=/dev/absent-lumko\nCOM10=/dev/null\nCOM11="
             + fichierOrdinaire.toLocal8Bit() + "\n");
    const std::pair<int, bool> cas[] = {{7, true},   {8, true},  {9, false}, {10, false},
                                        {11, false}, {49, false}, {0, false}};
    for (const auto& [numero, existe] : cas) EXPECT_EQ(noms_.portExiste(numero), existe) << numero;
    pty.raccroche();
    EXPECT_FALSE(noms_.portExiste(7)) << "the device is gone";
}

} // namespace

#include "link/TComPort.h"
#include "link/TNomsPorts.h"

#include "Attente.h"
#include "TPtyBrut.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <string>
#include <termios.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A channel on COM7, which the settings file points at a raw pty, and a
// record of every notification in order. The avail handler fetches what is
// announced, as the program does, and cuts lines at NUL.
class TComPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty_.ok());
        QFile ini(dossier_.filePath(u"lumko.ini"_s));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Ports]\nCOM7=" + pty_.esclave().toLocal8Bit() + "\n");
        ini.close();
        port_.setDossierDiagnostic(dossier_.path());
        port_.setComNumber(7);
        QObject::connect(&port_, &TComPort::OnTriggerAvail, [this](quint16 n) { surAvail(n); });
        QObject::connect(&port_, &TComPort::OnTriggerData, [this](quint16 h) { surData(h); });
    }

    void surAvail(quint16 n)
    {
        evenements_.push_back("avail " + std::to_string(n));
        for (int i = 0; i < n; ++i) {
            const std::uint8_t c = port_.GetChar();
            if (c == 0) {
                lignes_.push_back(ligne_);
                ligne_.clear();
            } else {
                ligne_ += static_cast<char>(c);
            }
        }
    }

    void surData(quint16 h)
    {
        evenements_.push_back("data " + std::to_string(h));
        if (surDataEnPlus_) surDataEnPlus_(h);
    }

    void recoit(const QByteArray& octets, std::size_t evenementsAttendus)
    {
        pty_.ecrit(octets);
        EXPECT_TRUE(attendQue([&] { return evenements_.size() >= evenementsAttendus; }));
        laissePasser(10);
    }

    QString fichier(const QString& nom) const
    {
        QFile f(dossier_.filePath(nom));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : u"<absent>"_s;
    }

    QTemporaryDir dossier_;
    TPtyBrut pty_{dossier_.filePath(u"instrument"_s)};
    TNomsPorts noms_{dossier_.filePath(u"lumko.ini"_s)};
    TComPort port_{noms_};
    std::vector<std::string> evenements_;
    std::vector<std::string> lignes_;
    std::string ligne_;
    std::function<void(quint16)> surDataEnPlus_;
};

using Evenements = std::vector<std::string>;

TEST_F(TComPortTest, SeptOctetsEnUnBloc)
{
    const quint16 nul = port_.AddDataTrigger(QByteArray(1, '\0'), true);
    ASSERT_NE(nul, 0);
    const std::string data = "data " + std::to_string(nul);
    recoit(QByteArray("abc\0de\0", 7), 5);
    EXPECT_EQ(evenements_, (Evenements{"avail 3", data, "avail 3", data, "avail 1"}));
    EXPECT_EQ(lignes_, (Evenements{"abc", "de"}));
}

TEST_F(TComPortTest, DeclencheurSansRienAvantNeDonneQueLaDonnee)
{
    const quint16 eot = port_.AddDataTrigger(QByteArray(1, '\x04'), true);
    recoit("xy", 1);
    ASSERT_EQ(evenements_, (Evenements{"avail 2"}));
    recoit("\x04", 3);
    EXPECT_EQ(evenements_, (Evenements{"avail 2", "data " + std::to_string(eot), "avail 1"}));
}

TEST_F(TComPortTest, OctetsSansDeclencheurAnnoncesUneFois)
{
    port_.AddDataTrigger(QByteArray(1, '\0'), true);
    recoit("ab", 1);
    recoit("c", 2);
    EXPECT_EQ(evenements_, (Evenements{"avail 2", "avail 1"}));
}

TEST_F(TComPortTest, IgnoreCaseEtChainesSurPlusieursBlocs)
{
    const quint16 ok = port_.AddDataTrigger("ok", true);
    const quint16 strict = port_.AddDataTrigger("Zz", false);
    recoit("xO", 1);
    recoit("K", 3);
    EXPECT_EQ(evenements_,
              (Evenements{"avail 2", "data " + std::to_string(ok), "avail 1"}));
    evenements_.clear();
    recoit("zz", 1);
    EXPECT_EQ(evenements_, (Evenements{"avail 2"})) << "Zz is case-sensitive";
    evenements_.clear();
    recoit("Zz", 3);
    EXPECT_EQ(evenements_,
              (Evenements{"avail 1", "data " + std::to_string(strict), "avail 1"}));
}

// A Linux pty keeps 8 data bits without parity whatever it is asked (its
// driver forces CS8 and clears PARENB), so the character format shows only
// through PARODD; speed, stop bits and flow control show as they are.
TEST_F(TComPortTest, ReglagesDeLaLigne)
{
    ASSERT_TRUE(port_.setOpen(true));
    unsigned vitesse = 0;
    unsigned cflag = 0;
    unsigned iflag = 0;
    ASSERT_TRUE(pty_.reglages(&vitesse, &cflag, &iflag));
    EXPECT_EQ(vitesse, unsigned{B9600});
    EXPECT_TRUE(cflag & PARODD);
    EXPECT_FALSE(cflag & CSTOPB);
    EXPECT_FALSE(cflag & CRTSCTS);
    EXPECT_FALSE(iflag & (IXON | IXOFF));
}

TEST_F(TComPortTest, OuvertureAutomatiqueParChaqueOperation)
{
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        {"PutString", [this] { port_.PutString("\x05"); }},
        {"GetChar", [this] { port_.GetChar(); }},
        {"AddDataTrigger", [this] { port_.AddDataTrigger("\x04", true); }},
        {"ProcessCommunications", [this] { port_.ProcessCommunications(); }},
    };
    for (const auto& [nom, operation] : operations) {
        port_.setOpen(false);
        operation();
        EXPECT_TRUE(port_.Open()) << nom;
    }
    EXPECT_EQ(pty_.litAuMoins(1), QByteArray("\x05"));
}

TEST_F(TComPortTest, DeclencheursConservesApresFermetureEtChangementDeNumero)
{
    const quint16 nul = port_.AddDataTrigger(QByteArray(1, '\0'), true);
    port_.setOpen(false);
    ASSERT_TRUE(port_.setOpen(true));
    recoit(QByteArray("a\0", 2), 2);
    EXPECT_EQ(evenements_[1], "data " + std::to_string(nul));

    // COM8 is the same pty under another name: an open port moves there.
    QFile ini(dossier_.filePath(u"lumko.ini"_s));
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("COM8=" + pty_.esclave().toLocal8Bit() + "\n");
    ini.close();
    ASSERT_TRUE(port_.setComNumber(8));
    EXPECT_TRUE(port_.Open());
    evenements_.clear();
    recoit(QByteArray("b\0", 2), 2);
    EXPECT_EQ(evenements_, (Evenements{"avail 1", "data " + std::to_string(nul), "avail 1"}));
}

TEST_F(TComPortTest, FileDEmissionDe4096Octets)
{
    EXPECT_FALSE(port_.PutString(QByteArray(TComPort::tailleFiles + 1, 'x')));
    EXPECT_TRUE(port_.PutString(QByteArray(TComPort::tailleFiles, 'x')));
    EXPECT_EQ(pty_.litAuMoins(TComPort::tailleFiles).size(), TComPort::tailleFiles);
}

TEST_F(TComPortTest, NumeroSansPeripheriqueFermeLePort)
{
    ASSERT_TRUE(port_.setOpen(true));
    EXPECT_FALSE(port_.setComNumber(49));
    EXPECT_FALSE(port_.Open());
    EXPECT_FALSE(port_.erreur().isEmpty());
}

TEST_F(TComPortTest, PortZeroDemandeUnNumero)
{
    port_.setComNumber(0);
    int demandes = 0;
    port_.setChoixPort([&] {
        ++demandes;
        return quint16{0};
    });
    EXPECT_FALSE(port_.setOpen(true));
    port_.setChoixPort([&] {
        ++demandes;
        return quint16{7};
    });
    EXPECT_TRUE(port_.setOpen(true));
    EXPECT_EQ(port_.ComNumber(), 7);
    EXPECT_EQ(demandes, 2);
}

// A handler that waits in a nested event loop while more lines come in: the
// later bytes are held back until it returns, then delivered once, in order,
// as if they had arrived just then (so the first NUL is announced alone).
TEST_F(TComPortTest, GestionnaireAvecBoucleImbriquee)
{
    const quint16 nul = port_.AddDataTrigger(QByteArray(1, '\0'), true);
    bool dejaAttendu = false;
    surDataEnPlus_ = [&](quint16) {
        if (dejaAttendu) return;
        dejaAttendu = true;
        pty_.ecrit(QByteArray("de\0fg\0", 6));
        QEventLoop boucle;
        QTimer::singleShot(50, &boucle, &QEventLoop::quit);
        boucle.exec();
        evenements_.push_back("fin imbriquee");
    };
    recoit(QByteArray("abc\0", 4), 8);
    const std::string data = "data " + std::to_string(nul);
    EXPECT_EQ(evenements_, (Evenements{"avail 3", data, "fin imbriquee", "avail 1", "avail 2",
                                       data, "avail 3", data, "avail 1"}));
    EXPECT_EQ(lignes_, (Evenements{"abc", "de", "fg"}));
}

TEST_F(TComPortTest, FermetureDansUnGestionnaire)
{
    port_.AddDataTrigger(QByteArray(1, '\0'), true);
    surDataEnPlus_ = [&](quint16) { port_.setOpen(false); };
    recoit(QByteArray("a\0b\0c\0", 6), 2);
    EXPECT_EQ(evenements_.size(), 2U);
    EXPECT_FALSE(port_.Open());
}

TEST_F(TComPortTest, RaccrochageSignaleUneFois)
{
    int pertes = 0;
    QObject::connect(&port_, &TComPort::portPerdu, [&] { ++pertes; });
    ASSERT_TRUE(port_.setOpen(true));
    pty_.raccroche();
    EXPECT_TRUE(attendQue([&] { return !port_.Open(); }));
    laissePasser(50);
    EXPECT_EQ(pertes, 1);
    EXPECT_FALSE(port_.setOpen(true)) << "the pty is gone";
    EXPECT_EQ(pertes, 1);
}

TEST_F(TComPortTest, FichiersDeDiagnosticALaFermeture)
{
    port_.AddDataTrigger(QByteArray(1, '\0'), true);
    port_.PutString("\x05");
    recoit(QByteArray("\x06" "500.0\0", 7), 3);
    port_.setOpen(false);
    const QString trace = fichier(u"orvanne.TRC"_s);
    EXPECT_TRUE(trace.contains(u"E  05 "_s)) << trace.toStdString();
    EXPECT_TRUE(trace.contains(u"R  06 35 30 30 2E 30 00 "_s)) << trace.toStdString();
    EXPECT_TRUE(trace.contains(u"|.500.0.|"_s)) << trace.toStdString();
    EXPECT_LT(trace.indexOf(u"E  05"_s), trace.indexOf(u"R  06"_s));
    const QString journal = fichier(u"orvanne.LOG"_s);
    EXPECT_TRUE(journal.contains(u"Ouverture de COM7"_s)) << journal.toStdString();
    EXPECT_TRUE(journal.contains(u"Fermeture de COM7"_s)) << journal.toStdString();
}

TEST_F(TComPortTest, DossierDeDiagnosticInaccessible)
{
    port_.setDossierDiagnostic(u"/dev/null/lumko"_s);
    ASSERT_TRUE(port_.setOpen(true));
    port_.setOpen(false);
    EXPECT_FALSE(port_.Open());
    EXPECT_TRUE(port_.setOpen(true));
}

} // namespace

#include "common/TFichierIni.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <climits>
#include <csignal>
#include <stdexcept>

#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

class TFichierIniTest : public ::testing::Test {
protected:
    QString chemin() const { return dossier_.filePath(u"lumko.ini"_s); }
    TFichierIni ini() const { return TFichierIni(chemin()); }

    void ecritOctets(const QByteArray& octets) const
    {
        QFile f(chemin());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(octets), octets.size());
    }

    QByteArray octets() const
    {
        QFile f(chemin());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }

    QStringList entreesDuDossier() const
    {
        return QDir(dossier_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                               | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dossier_;
};

// Compares whole files and shows both sides readably when they differ.
#define EXPECT_OCTETS(obtenu, attendu) \
    EXPECT_EQ((obtenu).toStdString(), QByteArray(attendu).toStdString())

TEST_F(TFichierIniTest, SectionsEtClesSansEgardALaCasse)
{
    ecritOctets("[Lambda]\r\nDebut=650\r\n[Cin\xc3\xa9tique]\r\nPas=3\r\n");
    struct Cas { QString section, cle; int attendu; };
    const Cas cas[] = {
        {u"Lambda"_s, u"Debut"_s, 650}, {u"LAMBDA"_s, u"debut"_s, 650},
        {u"lAmBdA"_s, u"dEbUt"_s, 650}, {u"CINÉTIQUE"_s, u"pas"_s, 3},
    };
    for (const auto& c : cas)
        EXPECT_EQ(ini().litEntier(c.section, c.cle, -1), c.attendu) << c.section.toStdString();

    ini().ecritEntier(u"LAMBDA"_s, u"DEBUT"_s, 700);
    ini().ecritEntier(u"lambda"_s, u"fin"_s, 800);
    EXPECT_OCTETS(octets(), "[Lambda]\r\nDebut=700\r\nfin=800\r\n[Cin\xc3\xa9tique]\r\nPas=3\r\n");
}

TEST_F(TFichierIniTest, BlancsAutourDesNomsEtDesValeursIgnores)
{
    const QByteArray fichiers[] = {
        "[Lambda]\nDebut=650\n",
        "  [ Lambda ]  \r\n   Debut   =   650   \r\n",
        "\t[Lambda]\t\n\tDebut\t=\t650\t\n",
        "[Lambda] ; commentaire\nDebut=650\n",
    };
    for (const auto& contenu : fichiers) {
        ecritOctets(contenu);
        EXPECT_EQ(ini().litChaine(u"Lambda"_s, u"Debut"_s, {}), u"650"_s) << contenu.toStdString();
        EXPECT_EQ(ini().litEntier(u" Lambda "_s, u"\tDebut "_s, -1), 650) << contenu.toStdString();
    }
}

TEST_F(TFichierIniTest, LignesEtrangeresGardeesEnOrdreApresPlusieursEcritures)
{
    ecritOctets("; R\xc3\xa9glages\r\n"
                "orpheline=1\r\n"
                "\r\n"
                "[Lambda]\r\n"
                "; d\xc3\xa9" "but du balayage\r\n"
                "Debut = 500\r\n"
                "Autre=x\r\n"
                "\r\n"
                "[Inconnue]\r\n"
                "truc sans egal\r\n"
                "[Vitesse]\r\n"
                "Valeur=2\r\n");
    const TFichierIni f = ini();
    f.ecritEntier(u"Lambda"_s, u"Debut"_s, 650);
    f.ecritEntier(u"Lambda"_s, u"Fin"_s, 700);
    f.ecritEntier(u"Vitesse"_s, u"Valeur"_s, 4);
    f.ecritBooleen(u"Graphe"_s, u"Yabs"_s, false);
    f.ecritEntier(u"Lambda"_s, u"Cinet"_s, 520);
    f.ecritEntier(u"Cinet"_s, u"Nombre"_s, 120);
    f.ecritEntier(u"Lambda"_s, u"Debut"_s, 660);
    EXPECT_OCTETS(octets(), "; R\xc3\xa9glages\r\n"
                            "orpheline=1\r\n"
                            "\r\n"
                            "[Lambda]\r\n"
                            "; d\xc3\xa9" "but du balayage\r\n"
                            "Debut = 660\r\n"
                            "Autre=x\r\n"
                            "Fin=700\r\n"
                            "Cinet=520\r\n"
                            "\r\n"
                            "[Inconnue]\r\n"
                            "truc sans egal\r\n"
                            "[Vitesse]\r\n"
                            "Valeur=4\r\n"
                            "[Graphe]\r\n"
                            "Yabs=0\r\n"
                            "[Cinet]\r\n"
                            "Nombre=120\r\n");
}

TEST_F(TFichierIniTest, PremiereEcritureCreeFichierSectionEtCle)
{
    ASSERT_FALSE(QFile::exists(chemin()));
    ini().ecritEntier(u"Lambda"_s, u"Debut"_s, 500);
    EXPECT_OCTETS(octets(), "[Lambda]\r\nDebut=500\r\n");
    ini().ecritEntier(u"Lambda"_s, u"Fin"_s, 600);
    ini().ecritEntier(u"Cinet"_s, u"Nombre"_s, 120);
    EXPECT_OCTETS(octets(), "[Lambda]\r\nDebut=500\r\nFin=600\r\n[Cinet]\r\nNombre=120\r\n");
}

TEST_F(TFichierIniTest, CleManquanteApresLaDerniereCleDeSaSection)
{
    ecritOctets("[A]\r\nx=1\r\n; note\r\n\r\n[B]\r\n\r\n; vide\r\n[C]\r\ny=2\r\n");
    ini().ecritEntier(u"A"_s, u"z"_s, 3);
    ini().ecritEntier(u"B"_s, u"w"_s, 4);
    EXPECT_OCTETS(octets(), "[A]\r\nx=1\r\nz=3\r\n; note\r\n\r\n[B]\r\nw=4\r\n\r\n; vide\r\n[C]\r\ny=2\r\n");
}

TEST_F(TFichierIniTest, PremiereOccurrenceGagne)
{
    ecritOctets("[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(ini().litEntier(u"A"_s, u"k"_s, -1), 1);
    EXPECT_EQ(ini().litEntier(u"A"_s, u"j"_s, -1), -1);
    ini().ecritEntier(u"A"_s, u"k"_s, 5);
    ini().ecritEntier(u"A"_s, u"j"_s, 6);
    EXPECT_OCTETS(octets(), "[A]\r\nk=5\r\nk=2\r\nj=6\r\n[a]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(ini().litEntier(u"A"_s, u"j"_s, -1), 6);
}

TEST_F(TFichierIniTest, FichierSectionOuCleAbsentsDonnentLeDefaut)
{
    EXPECT_EQ(ini().litEntier(u"Lambda"_s, u"Debut"_s, 42), 42);
    EXPECT_EQ(ini().litChaine(u"Lambda"_s, u"Debut"_s, u"rien"_s), u"rien"_s);
    EXPECT_TRUE(ini().litBooleen(u"Graphe"_s, u"Yabs"_s, true));
    EXPECT_FALSE(ini().litBooleen(u"Graphe"_s, u"Yabs"_s, false));
    EXPECT_FALSE(QFile::exists(chemin())) << "reading must not create the file";

    const QByteArray fichiers[] = {
        "",
        "[Autre]\nDebut=5\n",             // no such section
        "[Lambda]\nFin=5\n",              // no such key
        "Debut=5\n[Lambda]\n",            // key before any section
        "[Lambda]\n[Autre\nDebut=5\n",    // key under a header that has no "]"
        "[Lambda]\n; Debut=5\n",          // commented out
    };
    for (const auto& contenu : fichiers) {
        ecritOctets(contenu);
        EXPECT_EQ(ini().litEntier(u"Lambda"_s, u"Debut"_s, 42), 42) << contenu.toStdString();
    }
}

TEST_F(TFichierIniTest, LectureDesEntiers)
{
    struct Cas { QByteArray texte; int attendu; };
    const Cas cas[] = {
        {"650", 650}, {"0", 0}, {"-12", -12}, {"+7", 7}, {"007", 7}, {"10", 10},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"0x3", 3}, {"0X1f", 31}, {"0x0", 0}, {"0x7FFFFFFF", INT_MAX},
        {"0x80000000", INT_MIN}, {"0xFFFFFFFF", -1}, {"0x00000010", 16},
        // anything else gives the default
        {"", 42}, {"   ", 42}, {"abc", 42}, {"12abc", 42}, {"1.5", 42}, {"1 2", 42},
        {"0x", 42}, {"0X", 42}, {"0xG1", 42}, {"0x123456789", 42}, {"0x-1", 42}, {"-0x3", 42},
        {"2147483648", 42}, {"-2147483649", 42}, {"99999999999999999999", 42},
        {"--1", 42}, {"+", 42}, {"-", 42}, {"\xd9\xa3", 42},   // an Arabic-Indic three
    };
    for (const auto& c : cas) {
        ecritOctets("[VoieSerie]\r\nComNumber=" + c.texte + "\r\n");
        EXPECT_EQ(ini().litEntier(u"VoieSerie"_s, u"ComNumber"_s, 42), c.attendu) << '"' << c.texte.toStdString() << '"';
    }
}

TEST_F(TFichierIniTest, LectureDesBooleens)
{
    struct Cas { QByteArray texte; bool defaut, attendu; };
    const Cas cas[] = {
        {"1", false, true}, {"0", true, false}, {"2", false, true}, {"-1", false, true},
        {"0x0", true, false}, {"non", true, true}, {"non", false, false},
        {"", true, true}, {"", false, false},
    };
    for (const auto& c : cas) {
        ecritOctets("[Graphe]\r\nYabs=" + c.texte + "\r\n");
        EXPECT_EQ(ini().litBooleen(u"Graphe"_s, u"Yabs"_s, c.defaut), c.attendu)
            << '"' << c.texte.toStdString() << "\" defaut " << c.defaut;
    }
}

TEST_F(TFichierIniTest, EcritureDesEntiersEnDecimalEtDesBooleensEn1Ou0)
{
    const TFichierIni f = ini();
    f.ecritEntier(u"E"_s, u"negatif"_s, -5);
    f.ecritEntier(u"E"_s, u"min"_s, INT_MIN);
    f.ecritEntier(u"E"_s, u"max"_s, INT_MAX);
    f.ecritBooleen(u"E"_s, u"vrai"_s, true);
    f.ecritBooleen(u"E"_s, u"faux"_s, false);
    EXPECT_OCTETS(octets(), "[E]\r\nnegatif=-5\r\nmin=-2147483648\r\nmax=2147483647\r\nvrai=1\r\nfaux=0\r\n");
    EXPECT_EQ(f.litEntier(u"E"_s, u"min"_s, 0), INT_MIN);
    EXPECT_TRUE(f.litBooleen(u"E"_s, u"vrai"_s, false));
    EXPECT_FALSE(f.litBooleen(u"E"_s, u"faux"_s, true));
}

TEST_F(TFichierIniTest, ChaineUnicodeEnUtf8AllerRetour)
{
    const QString titre = u"Spectre à 25 °C — λ"_s;
    ini().ecritChaine(u"Graphe"_s, u"Titre"_s, titre);
    EXPECT_EQ(ini().litChaine(u"Graphe"_s, u"Titre"_s, {}), titre);
    EXPECT_OCTETS(octets(), "[Graphe]\r\nTitre=" + titre.toUtf8() + "\r\n");
}

TEST_F(TFichierIniTest, FinsDeLigneCrLfEtLfALaLecture)
{
    const QByteArray fichiers[] = {
        "[Lambda]\r\nDebut=650\r\nFin=700\r\n",
        "[Lambda]\nDebut=650\nFin=700\n",
        "[Lambda]\r\nDebut=650\nFin=700\r\n",
        "[Lambda]\r\nDebut=650\r\nFin=700",      // no final line end
    };
    for (const auto& contenu : fichiers) {
        ecritOctets(contenu);
        EXPECT_EQ(ini().litChaine(u"Lambda"_s, u"Fin"_s, {}), u"700"_s) << contenu.toStdString();
        EXPECT_EQ(ini().litEntier(u"Lambda"_s, u"Debut"_s, -1), 650) << contenu.toStdString();
        ini().ecritEntier(u"Cinet"_s, u"Nombre"_s, 120);
        EXPECT_OCTETS(octets(), "[Lambda]\r\nDebut=650\r\nFin=700\r\n[Cinet]\r\nNombre=120\r\n");
    }
}

QByteArray tousLesOctetsSaufLf()
{
    QByteArray octets;
    for (int b = 0; b < 256; ++b)
        if (b != '\n') octets += static_cast<char>(b);
    return octets;
}

TEST_F(TFichierIniTest, LesLignesIllisiblesSurviventOctetPourOctet)
{
    const qsizetype dixMo = 10 * 1024 * 1024;
    struct Cas { const char* nom; QByteArray ligne; };
    const Cas cas[] = {
        {"tous les octets", tousLesOctetsSaufLf()},
        {"NUL", QByteArray("a\0b=c\0\0", 7)},
        {"NUL en tete", QByteArray("\0[Lambda]\0", 10)},
        {"UTF-8 invalide", "\xc3\x28\xa0\xa1 = \xe2\x82"},
        {"CR isole", "fin\rdebut=\r\r"},
        {"ligne de 10 Mo", QByteArray(dixMo, 'x')},
        {"cle de 10 Mo", "cle=" + QByteArray(dixMo, 'v')},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        ecritOctets("[Lambda]\r\nDebut=500\r\n" + c.ligne + "\r\n[Cinet]\r\nNombre=120\r\n");
        EXPECT_EQ(ini().litEntier(u"Lambda"_s, u"Debut"_s, -1), 500);
        EXPECT_EQ(ini().litEntier(u"Cinet"_s, u"Nombre"_s, -1), 120);
        ini().ecritEntier(u"Lambda"_s, u"Debut"_s, 650);
        ini().ecritEntier(u"Cinet"_s, u"Nombre"_s, 130);
        ini().ecritEntier(u"Vitesse"_s, u"Valeur"_s, 3);
        const QByteArray attendu = "[Lambda]\r\nDebut=650\r\n" + c.ligne
                                   + "\r\n[Cinet]\r\nNombre=130\r\n[Vitesse]\r\nValeur=3\r\n";
        EXPECT_TRUE(octets() == attendu);
    }
}

TEST_F(TFichierIniTest, DerniereLigneIllisibleSansFinDeLigneGardee)
{
    ecritOctets("[Lambda]\r\nDebut=500\r\n\xff\xfe\x00 fin"_ba);
    ini().ecritEntier(u"Lambda"_s, u"Fin"_s, 600);
    EXPECT_OCTETS(octets(), "[Lambda]\r\nDebut=500\r\nFin=600\r\n\xff\xfe\x00 fin\r\n"_ba);
}

TEST_F(TFichierIniTest, EnteteSansCrochetFermantNOuvrePasLaSectionPrecedente)
{
    ecritOctets("[Lambda]\r\nDebut=500\r\n[Lambda\r\nFin=999\r\n[Cinet]\r\nNombre=120\r\n");
    EXPECT_EQ(ini().litEntier(u"Lambda"_s, u"Fin"_s, 600), 600);
    EXPECT_EQ(ini().litEntier(u"Cinet"_s, u"Nombre"_s, -1), 120);
    ini().ecritEntier(u"Lambda"_s, u"Fin"_s, 610);
    EXPECT_OCTETS(octets(), "[Lambda]\r\nDebut=500\r\nFin=610\r\n[Lambda\r\nFin=999\r\n[Cinet]\r\nNombre=120\r\n");
}

TEST_F(TFichierIniTest, NomsOuValeursQuiCasseraientLeFichierRefuses)
{
    const QByteArray avant = "[Lambda]\r\nDebut=500\r\n";
    ecritOctets(avant);
    struct Cas { QString section, cle, valeur; };
    const Cas cas[] = {
        {u"Lambda"_s, u"De=but"_s, u"1"_s}, {u"Lam]bda"_s, u"Debut"_s, u"1"_s},
        {u"Lambda"_s, u"Debut"_s, u"1\r\n[Piege]"_s}, {u"Lambda"_s, u"Debut"_s, u"1\n"_s},
        {u""_s, u"Debut"_s, u"1"_s}, {u"Lambda"_s, u" "_s, u"1"_s},
        {u"Lambda"_s, u"; Debut"_s, u"1"_s}, {u"Lambda"_s, u"[Debut"_s, u"1"_s},
    };
    for (const auto& c : cas)
        EXPECT_THROW(ini().ecritChaine(c.section, c.cle, c.valeur), std::invalid_argument)
            << c.section.toStdString() << '/' << c.cle.toStdString();
    EXPECT_OCTETS(octets(), avant);
}

TEST_F(TFichierIniTest, EcritureImpossibleSignaleeAvecLeCheminExact)
{
    QFile fichier(dossier_.filePath(u"fichier"_s));
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.close();
    ASSERT_TRUE(QDir(dossier_.path()).mkdir(u"dossier.ini"_s));
    const QString chemins[] = {
        dossier_.filePath(u"absent/lumko.ini"_s),     // folder that does not exist
        dossier_.filePath(u"fichier/lumko.ini"_s),    // parent is a regular file
        dossier_.filePath(u"dossier.ini"_s),          // the path is a folder
    };
    const QStringList entreesAvant = entreesDuDossier();
    for (const auto& c : chemins) {
        try {
            TFichierIni(c).ecritEntier(u"Lambda"_s, u"Debut"_s, 500);
            ADD_FAILURE() << "no error for " << c.toStdString();
        } catch (const EEcritureIni& e) {
            EXPECT_EQ(e.texte(), u"Impossible d'écrire dans "_s + c);
            EXPECT_EQ(QString::fromUtf8(e.what()), e.texte());
        }
    }
    EXPECT_EQ(entreesDuDossier(), entreesAvant);
    EXPECT_TRUE(QDir(dossier_.filePath(u"dossier.ini"_s)).isEmpty());
}

// Makes every file write of this process fail beyond a size, as a full disk
// would, even for root; SIGXFSZ is ignored so the write returns an error
// instead of killing the test.
class LimiteTailleFichiers {
public:
    explicit LimiteTailleFichiers(rlim_t octets)
    {
        ok_ = getrlimit(RLIMIT_FSIZE, &ancienne_) == 0;
        rlimit limite = ancienne_;
        limite.rlim_cur = octets;
        ok_ = ok_ && setrlimit(RLIMIT_FSIZE, &limite) == 0;
        ancienSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~LimiteTailleFichiers()
    {
        setrlimit(RLIMIT_FSIZE, &ancienne_);
        std::signal(SIGXFSZ, ancienSignal_);
    }
    LimiteTailleFichiers(const LimiteTailleFichiers&) = delete;
    LimiteTailleFichiers& operator=(const LimiteTailleFichiers&) = delete;
    bool ok() const { return ok_; }

private:
    rlimit ancienne_{};
    void (*ancienSignal_)(int) = SIG_DFL;
    bool ok_ = false;
};

TEST_F(TFichierIniTest, EcritureInterrompueLaisseLAncienFichierIntact)
{
    const QByteArray avant = "; garder\r\n[Lambda]\r\nDebut=500\r\n\xff\xfe\r\n";
    ecritOctets(avant);
    const QString titre(64 * 1024, u'x');
    {
        LimiteTailleFichiers limite(4096);
        ASSERT_TRUE(limite.ok());
        try {
            ini().ecritChaine(u"Graphe"_s, u"Titre"_s, titre);
            ADD_FAILURE() << "the write beyond the size limit was reported as done";
        } catch (const EEcritureIni& e) {
            EXPECT_EQ(e.texte(), u"Impossible d'écrire dans "_s + chemin());
        }
    }
    EXPECT_OCTETS(octets(), avant);
    EXPECT_EQ(entreesDuDossier(), QStringList{u"lumko.ini"_s}) << "temporary file left behind";

    ini().ecritChaine(u"Graphe"_s, u"Titre"_s, titre);
    EXPECT_EQ(ini().litChaine(u"Graphe"_s, u"Titre"_s, {}), titre);
}

TEST_F(TFichierIniTest, EcritureGardeLesPermissionsDuFichier)
{
    ecritOctets("[Lambda]\r\nDebut=500\r\n");
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(chemin(), permissions));
    ini().ecritEntier(u"Lambda"_s, u"Debut"_s, 650);
    EXPECT_EQ(QFile::permissions(chemin()) & ~(QFile::ReadUser | QFile::WriteUser), permissions);
}

// The user's file and a shared one (an administrator's, beside the
// program): the user's value wins where the user's file has the key, the
// shared file supplies the rest; writes go to the user's file only.
TEST_F(TFichierIniTest, LeFichierPersonnelGagneCleParCleLeCommunCompleteLeReste)
{
    const QString commun = dossier_.filePath(u"commun.ini"_s);
    const QByteArray communAvant = "[Ports]\r\nCOM7=/dev/ttyUSB0\r\n[Lambda]\r\nDebut=600\r\nFin=900\r\n";
    {
        QFile f(commun);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(communAvant);
    }
    ASSERT_TRUE(QFile::setPermissions(commun, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ecritOctets("[lambda]\r\ndebut=350\r\nFin=\r\n[Graphe]\r\nYabs=0\r\n");
    const TFichierIni f(TCheminsIni{chemin(), commun});
    const struct {
        QString section, cle, attendu;
    } cas[] = {
        {u"Lambda"_s, u"Debut"_s, u"350"_s},              // both: the user's
        {u"Lambda"_s, u"Fin"_s, u""_s},                   // the user's, even empty
        {u"Graphe"_s, u"Yabs"_s, u"0"_s},                 // the user's alone
        {u"PORTS"_s, u"com7"_s, u"/dev/ttyUSB0"_s},       // the shared file's alone
        {u"Vitesse"_s, u"Valeur"_s, u"defaut"_s},          // neither
    };
    for (const auto& c : cas)
        EXPECT_EQ(f.litChaine(c.section, c.cle, u"defaut"_s), c.attendu) << c.cle.toStdString();
    EXPECT_EQ(f.litEntier(u"Lambda"_s, u"Fin"_s, 600), 600) << "an empty value of the user's gives the default";
    EXPECT_EQ(f.chemin(), chemin());

    f.ecritEntier(u"Vitesse"_s, u"Valeur"_s, 3);
    EXPECT_EQ(f.litEntier(u"Vitesse"_s, u"Valeur"_s, 2), 3);
    QFile lu(commun);
    ASSERT_TRUE(lu.open(QIODevice::ReadOnly));
    EXPECT_OCTETS(lu.readAll(), communAvant);
    EXPECT_TRUE(octets().contains("[Vitesse]\r\nValeur=3\r\n"));

    // Without the user's file yet: the shared file alone, and the first write creates the user's.
    QFile::remove(chemin());
    const struct {
        QString section, cle, attendu;
    } seul[] = {{u"Lambda"_s, u"Debut"_s, u"600"_s}, {u"Lambda"_s, u"Fin"_s, u"900"_s}};
    for (const auto& c : seul) EXPECT_EQ(f.litChaine(c.section, c.cle, {}), c.attendu) << c.cle.toStdString();
    f.ecritEntier(u"Lambda"_s, u"Debut"_s, 420);
    EXPECT_OCTETS(octets(), "[Lambda]\r\nDebut=420\r\n");
    EXPECT_EQ(f.litEntier(u"Lambda"_s, u"Fin"_s, 0), 900);
}

} // namespace

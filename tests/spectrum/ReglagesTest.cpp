// The main window's settings: read in order at creation, with the controls'
// ranges applied as they are read; written in order at destruction, keeping
// every other line of the file.
#include "FenetreFixture.h"

#include "link/Commandes.h"
#include "spectrum/TComboPorts.h"
#include "spectrum/TGroupeRadio.h"
#include "spectrum/TSpinEdit.h"

#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

namespace {

struct TCasLecture {
    const char* nom;
    const char* lignes;
    int debut;
    int fin;
    int vitesse;
    bool absorbance;
    int port;
};

const TCasLecture casLecture[] = {
    {"sansReglages", "", 500, 600, 2, true, 7},
    {"debutApresFin", "[Lambda]\nDebut=850\nFin=700\n", 800, 900, 2, true, 7},
    {"plageOrdinaire", "[lambda]\ndebut=350\nFIN=1000\n", 350, 1000, 2, true, 7},
    {"vitesseTropGrande", "[Vitesse]\nValeur=9\n", 500, 600, 4, true, 7},
    {"vitesseNegative", "[Vitesse]\nValeur=-5\n", 500, 600, 2, true, 7},
    {"vitesseMoinsUn", "[Vitesse]\nValeur=-1\n", 500, 600, 2, true, 7},
    {"vitesseZero", "[Vitesse]\nValeur=0\n", 500, 600, 0, true, 7},
    {"plageDesChamps", "[Lambda]\nDebut=500\nFin=800\n", 500, 800, 2, true, 7},
    {"finTropProche", "[Lambda]\nDebut=500\nFin=550\n", 500, 600, 2, true, 7},
    {"yabsDeux", "[Graphe]\nYabs=2\n", 500, 600, 2, true, 7},
    {"yabsTexte", "[Graphe]\nYabs=non\n", 500, 600, 2, true, 7},
    {"yabsZero", "[Graphe]\nYabs=0\n", 500, 600, 2, false, 7},
    {"portHexadecimal", "[VoieSerie]\nComNumber=0x9\n", 500, 600, 2, true, 9},
    {"portAbsent", "[VoieSerie]\nComNumber=12\n", 500, 600, 2, true, 7},
};

} // namespace

class LectureReglages : public FenetreFixture, public ::testing::WithParamInterface<TCasLecture> {};

TEST_P(LectureReglages, appliqueCeQuIlLit)
{
    const TCasLecture& c = GetParam();
    ecritIni(QByteArray(c.lignes) + sectionPorts({9}));
    TFormMain& fen = ouvreFenetre();
    EXPECT_EQ(panneau().DebutSE->Value(), c.debut);
    EXPECT_EQ(panneau().FinSE->Value(), c.fin);
    // The range rule has run, whatever was read.
    EXPECT_EQ(panneau().DebutSE->MaxValue(), c.fin - 100);
    EXPECT_EQ(panneau().FinSE->MinValue(), c.debut + 100);
    EXPECT_EQ(panneau().VitesseRG->ItemIndex(), c.vitesse);
    EXPECT_EQ(panneau().YRG->ItemIndex(), c.absorbance ? 0 : 1);
    EXPECT_EQ(fen.graphe().mondeY,
              c.absorbance ? fen.graphe().mondeAbs.get() : fen.graphe().MondeTrans.get());
    EXPECT_EQ(liaison().VoieSerie.ComNumber(), c.port);
    EXPECT_EQ(panneau().ComPorts->currentText(), QStringLiteral("COM%1").arg(c.port));
}

INSTANTIATE_TEST_SUITE_P(Cas, LectureReglages, ::testing::ValuesIn(casLecture),
                         [](const auto& info) { return std::string(info.param.nom); });

class EcritureReglages : public FenetreFixture {};

// Each key lands where the writes put it in turn: a file that starts empty
// shows the order.
TEST_F(EcritureReglages, ecritDansLOrdreEtGardeLesAutresLignes)
{
    ecritIni("; réglages de la salle 12\n[Autre]\ncle=valeur\n" + sectionPorts());
    ouvreFenetre();
    panneau().FinSE->setValue(1100);
    panneau().DebutSE->setValue(420);
    panneau().VitesseRG->bouton(3)->click();
    panneau().YRG->bouton(1)->click();
    fenetre_.reset();

    const QByteArray attendu = "; réglages de la salle 12\n[Autre]\ncle=valeur\n" + sectionPorts()
                               + "[Lambda]\nDebut=420\nFin=1100\n[Vitesse]\nValeur=3\n"
                                 "[Graphe]\nYabs=0\n[VoieSerie]\nComNumber=7\n";
    // The file keeps the line ends of the platform it was made for.
    EXPECT_EQ(QString::fromUtf8(litIni()).remove(u'\r'), QString::fromUtf8(attendu));
    EXPECT_TRUE(erreurs_.isEmpty());
}

// A typed value is written as typed, even outside the field's range.
TEST_F(EcritureReglages, ecritLeTexteTapeTelQuel)
{
    ouvreFenetre();
    panneau().DebutSE->findChild<QLineEdit*>()->setText(QStringLiteral("15"));
    fenetre_.reset();
    EXPECT_TRUE(litIni().contains("Debut=15\r\n")) << litIni().constData();
}

TEST_F(EcritureReglages, unEchecALaFinSeSignaleSansRienInterrompre)
{
    // A folder where the file should be: nothing can replace it.
    ini_ = dossier_.filePath(QStringLiteral("dossier.ini"));
    ASSERT_TRUE(QDir().mkpath(ini_));
    ouvreFenetre();
    connecte();
    fenetre_.reset();
    ASSERT_EQ(erreurs_.size(), 1);
    EXPECT_EQ(erreurs_[0], QStringLiteral("Impossible d'écrire dans ") + ini_);
}

namespace {

std::vector<std::string> commandesAttendues(int debut, int fin, int vitesse)
{
    return {commandeBlanc(debut, fin).toStdString(), commandeReglage(debut, fin, vitesse).toStdString(),
            commandeDepart(parametreBalayage(fin - debut, vitesse)).toStdString()};
}

// Types into a range field as a user would, then Enter.
void tape(TSpinEdit& champ, const QString& texte)
{
    champ.selectAll();
    QTest::keyClicks(&champ, texte);
    QTest::keyClick(&champ, Qt::Key_Return);
}

struct TCasSaisie {
    const char* nom;
    const char* lignes;
    bool mini; // typed into "Mini" (DebutSE), else "Maxi" (FinSE)
    const char* texte;
    int debut;
    int fin;
};

const TCasSaisie casSaisie[] = {
    {"mini900SurPlageDesChamps", "[Lambda]\nDebut=500\nFin=800\n", true, "900", 700, 800},
    {"maxi400SurPlageDesChamps", "[Lambda]\nDebut=500\nFin=800\n", false, "400", 500, 600},
    {"mini900SansReglages", "", true, "900", 500, 600},
    {"maxi150SurPlageEntiere", "[Lambda]\nDebut=190\nFin=1100\n", false, "150", 190, 290},
    {"mini900SurFinTropProche", "[Lambda]\nDebut=500\nFin=550\n", true, "900", 500, 600},
};

} // namespace

// Whatever the settings held, a value typed into either end keeps the range
// at 100 nm or more, and so do the commands.
class SaisieApresReglages : public FenetreFixture, public ::testing::WithParamInterface<TCasSaisie> {};

TEST_P(SaisieApresReglages, laPlageResteValide)
{
    const TCasSaisie& c = GetParam();
    ecritIni(QByteArray(c.lignes) + sectionPorts());
    ouvreFenetre();
    tape(c.mini ? *panneau().DebutSE : *panneau().FinSE, QString::fromLatin1(c.texte));
    EXPECT_EQ(panneau().DebutSE->Value(), c.debut);
    EXPECT_EQ(panneau().FinSE->Value(), c.fin);
    enregistreSpectre();
    EXPECT_EQ(sim_.commandes(), commandesAttendues(c.debut, c.fin, 2));
}

INSTANTIATE_TEST_SUITE_P(Cas, SaisieApresReglages, ::testing::ValuesIn(casSaisie),
                         [](const auto& info) { return std::string(info.param.nom); });

namespace {

struct TCasVitesse {
    const char* nom;
    const char* valeur; // under [Vitesse]; nullptr: a group left without a choice after the start
    int choisie;
};

const TCasVitesse casVitesse[] = {
    {"moinsUn", "-1", 2}, {"moinsCinq", "-5", 2}, {"zero", "0", 0},
    {"neuf", "9", 4},     {"deux", "2", 2},       {"aucuneChoisie", nullptr, 2},
};

} // namespace

// The instrument takes the speeds 1 to 5: the one sent is always among them,
// it is the one shown, and the one written back.
class VitesseEnvoyee : public FenetreFixture, public ::testing::WithParamInterface<TCasVitesse> {};

TEST_P(VitesseEnvoyee, entreUnEtCinqEtAffichee)
{
    const TCasVitesse& c = GetParam();
    ecritIni((c.valeur != nullptr ? "[Vitesse]\nValeur=" + QByteArray(c.valeur) + "\n" : QByteArray())
             + sectionPorts());
    ouvreFenetre();
    if (c.valeur == nullptr) panneau().VitesseRG->setItemIndex(-1);
    enregistreSpectre();
    const std::vector<std::string> attendues = commandesAttendues(500, 600, c.choisie);
    const std::vector<std::string> envoyees = sim_.commandes();
    EXPECT_EQ(envoyees, attendues);
    ASSERT_EQ(envoyees.size(), 3u);
    const std::string& reglage = envoyees[1];
    const int code = std::stoi(reglage.substr(reglage.rfind(',') + 1));
    EXPECT_GE(code, 1);
    EXPECT_LE(code, 5);
    EXPECT_EQ(panneau().VitesseRG->ItemIndex(), c.choisie);
    EXPECT_TRUE(panneau().VitesseRG->bouton(c.choisie)->isChecked());
    fenetre_.reset();
    EXPECT_TRUE(litIni().contains("Valeur=" + QByteArray::number(c.choisie) + "\r\n")) << litIni().constData();
}

INSTANTIATE_TEST_SUITE_P(Cas, VitesseEnvoyee, ::testing::ValuesIn(casVitesse),
                         [](const auto& info) { return std::string(info.param.nom); });

// A shared file beside the program (an administrator's, read-only) and the
// user's own: the user's value wins key by key, the shared file supplies the
// rest ([Ports] too), and the end of the program writes the user's file only.
class ReglagesPartages : public FenetreFixture {
protected:
    void prepare(const QByteArray& personnel, bool avecPersonnel)
    {
        iniCommun_ = dossier_.filePath(QStringLiteral("programme/lumko.ini"));
        ASSERT_TRUE(QDir().mkpath(dossier_.filePath(QStringLiteral("programme"))));
        ASSERT_TRUE(QDir().mkpath(dossier_.filePath(QStringLiteral("config/lumko"))));
        QFile commun(iniCommun_);
        ASSERT_TRUE(commun.open(QIODevice::WriteOnly));
        commun.write(communAvant_);
        commun.close();
        ASSERT_TRUE(QFile::setPermissions(iniCommun_, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        ini_ = dossier_.filePath(QStringLiteral("config/lumko/lumko.ini"));
        if (avecPersonnel) ecritIni(personnel);
    }

    QByteArray communAvant_ = "; salle 12\n" + sectionPorts()
                              + "[Lambda]\nDebut=600\nFin=900\n[Vitesse]\nValeur=4\n[Graphe]\nYabs=0\n";
};

TEST_F(ReglagesPartages, laValeurDeLUtilisateurGagneCleParCle)
{
    const struct {
        const char* nom;
        const char* personnel; // nullptr: no user's file yet
        int debut, fin, vitesse;
        bool absorbance;
    } cas[] = {
        {"personnelPartiel", "[lambda]\ndebut=350\n[Graphe]\nYabs=1\n", 350, 900, 4, true},
        {"personnelComplet", "[Lambda]\nDebut=400\nFin=700\n[Vitesse]\nValeur=1\n[Graphe]\nYabs=1\n", 400, 700,
         1, true},
        {"sansPersonnel", nullptr, 600, 900, 4, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        fenetre_.reset();
        erreurs_.clear();
        QFile::remove(ini_);
        if (!iniCommun_.isEmpty()) QFile::setPermissions(iniCommun_, QFile::ReadOwner | QFile::WriteOwner);
        prepare(c.personnel != nullptr ? QByteArray(c.personnel) : QByteArray(), c.personnel != nullptr);
        ouvreFenetre();
        EXPECT_EQ(panneau().DebutSE->Value(), c.debut);
        EXPECT_EQ(panneau().FinSE->Value(), c.fin);
        EXPECT_EQ(panneau().VitesseRG->ItemIndex(), c.vitesse);
        EXPECT_EQ(panneau().YRG->ItemIndex(), c.absorbance ? 0 : 1);
        connecte(); // COM7 from the shared [Ports]
        fenetre_.reset();
        EXPECT_TRUE(erreurs_.isEmpty()) << erreurs_.join(u'\n').toStdString();
        QFile commun(iniCommun_);
        ASSERT_TRUE(commun.open(QIODevice::ReadOnly));
        EXPECT_EQ(commun.readAll(), communAvant_) << "the shared file is never written";
        const QString ecrit = QString::fromUtf8(litIni()).remove(u'\r');
        for (const QString& ligne :
             {QStringLiteral("Debut=%1\n").arg(c.debut), QStringLiteral("Fin=%1\n").arg(c.fin),
              QStringLiteral("Valeur=%1\n").arg(c.vitesse), QStringLiteral("Yabs=%1\n").arg(c.absorbance ? 1 : 0),
              QStringLiteral("ComNumber=7\n")})
            EXPECT_TRUE(ecrit.contains(ligne, Qt::CaseInsensitive)) << ligne.toStdString() << ecrit.toStdString();
        EXPECT_FALSE(ecrit.contains(QStringLiteral("[Ports]"))) << "the shared ports stay shared";
    }
}

// The main window's settings: read in order at creation, with the controls'
// ranges applied as they are read; written in order at destruction, keeping
// every other line of the file.
#include "FenetreFixture.h"

#include "spectrum/TComboPorts.h"
#include "spectrum/TGroupeRadio.h"
#include "spectrum/TSpinEdit.h"

#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

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
    {"vitesseNegative", "[Vitesse]\nValeur=-5\n", 500, 600, -1, true, 7},
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

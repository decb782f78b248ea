#include "link/Commandes.h"

#include "TLiaisonFixture.h"
#include "TPtyBrut.h"

#include <QCursor>

#include <algorithm>
#include <vector>
#include <QGuiApplication>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// The test plays the instrument on a raw pty, byte by byte.
class TLiaisonBrutTest : public TLiaisonFixture {
protected:
    void SetUp() override
    {
        TLiaisonFixture::SetUp();
        ASSERT_TRUE(pty_.ok());
        ecritPorts({{7, pty_.esclave()}});
        liaison_.VoieSerie.setComNumber(7);
    }

    void connecte()
    {
        liaison_.ConnectBtnClick(true);
        ASSERT_TRUE(liaison_.VoieSerie.Open());
    }

    // Sends bytes as the instrument and waits until the link has handled them.
    void repond(const QByteArray& octets)
    {
        const qsizetype avant = octetsRecus_;
        pty_.ecrit(octets);
        ASSERT_TRUE(attendQue([&] { return octetsRecus_ >= avant + octets.size(); }));
    }

    // Answers every ENQ and every command (text + NUL) that has come with ACK.
    void acquitteTout()
    {
        const QByteArray recu = pty_.lit();
        for (char c : recu)
            if (c == octetENQ || c == octetNUL) repond("\x06");
    }

    QByteArray ligne(const QByteArray& texte) { return texte + '\0'; }

    // Starts a measurement as the window does, and has the instrument
    // announce its results: the reply lines that follow belong to it.
    void annonceResultats(const QByteArray& cmd, TEtatSpectre etat)
    {
        liaison_.etatSpectre = etat;
        aChaquePasse_ = [&](int) {
            const QByteArray recu = pty_.lit();
            for (char c : recu)
                if (c == octetENQ || c == octetNUL) repond(QByteArray(1, octetACK));
            if (recu.contains('\0')) repond(QByteArray(1, octetENQ));
        };
        ASSERT_TRUE(liaison_.lanceMesure(cmd));
        aChaquePasse_ = nullptr;
        ASSERT_EQ(pty_.litAuMoins(1), QByteArray(1, octetACK)) << "the ENQ is acknowledged";
    }

    TPtyBrut pty_{dossier_.filePath(u"instrument"_s)};
};

const QByteArray ENQ(1, octetENQ);
const QByteArray ACK(1, octetACK);

struct TCasAck {
    const char* nom;
    std::uint32_t depart;
    int passeAck; // 0: never
    bool accepte;
    int passesMin, passesMax;
};

void PrintTo(const TCasAck& c, std::ostream* os)
{
    *os << c.nom;
}

class AttenteAck : public TLiaisonBrutTest, public ::testing::WithParamInterface<TCasAck> {};

TEST_P(AttenteAck, DelaiDeQuatreVingtDixTics)
{
    const TCasAck c = GetParam();
    connecte();
    horloge_ = c.depart;
    aChaquePasse_ = [&](int passe) {
        if (passe == c.passeAck) repond(ACK);
    };
    EXPECT_EQ(liaison_.envoieChaine(ENQ), c.accepte);
    EXPECT_GE(passes_, c.passesMin);
    EXPECT_LE(passes_, c.passesMax);
    EXPECT_EQ(emisSeulement(), std::vector<QByteArray>{ENQ}) << "no resend without NAK";
    aChaquePasse_ = nullptr;
    repond(ACK); // too late: the exchange is over
}

INSTANTIATE_TEST_SUITE_P(
    Delais, AttenteAck,
    ::testing::Values(TCasAck{"AckImmediat", 0, 1, true, 1, 1},
                      TCasAck{"AckA4s9", 0, 49, true, 49, 49},
                      TCasAck{"SansAck", 0, 0, false, 50, 51},
                      TCasAck{"SansAckAuRetourDuCompteur", 0xFFFFFFFFu - 2000u, 0, false, 50, 51}),
    [](const auto& info) { return std::string(info.param.nom); });

// Seven sendings (the first and six resends), then failure one pass after the last.
TEST_F(TLiaisonBrutTest, TempeteDeNAK)
{
    connecte();
    aChaquePasse_ = [&](int) {
        for (char c : pty_.lit())
            if (c == octetENQ) repond("\x15");
    };
    EXPECT_FALSE(liaison_.envoieChaine(ENQ));
    ASSERT_EQ(emissions_.size(), 7U);
    for (const TEmission& e : emissions_) EXPECT_EQ(e.octets, ENQ);
    EXPECT_EQ(passes_, emissions_.back().passe + 1);
}

TEST_F(TLiaisonBrutTest, NAKEtACKEnsembleLACKEstPerdu)
{
    connecte();
    // Written after the test of pass 1 is decided, so both bytes are there for
    // the NAK test of pass 2, before its ACK test.
    aChaquePasse_ = [&](int passe) {
        if (passe == 1) {
            pty_.ecrit("\x15\x06");
            QThread::msleep(5);
        }
        if (passe == 5) repond(ACK);
    };
    EXPECT_TRUE(liaison_.envoieChaine(ENQ));
    EXPECT_EQ(emisSeulement(), (std::vector<QByteArray>{ENQ, ENQ}));
    EXPECT_EQ(passes_, 5);
}

TEST_F(TLiaisonBrutTest, CommandeRenvoyeeAvecSonNUL)
{
    connecte();
    aChaquePasse_ = [&](int passe) {
        pty_.lit();
        if (passe == 1 || passe == 3) repond(passe == 1 ? "\x15" : "\x06");
    };
    EXPECT_TRUE(liaison_.envoieChaine("x"_ba + '\0'));
    EXPECT_EQ(emisSeulement(), (std::vector<QByteArray>{"x"_ba + '\0', "x"_ba + '\0'}));
}

TEST_F(TLiaisonBrutTest, StopPendantAttenteAck)
{
    struct Cas {
        bool ackAvant;
        bool accepte;
    };
    connecte();
    for (const Cas c : {Cas{false, false}, Cas{true, true}}) {
        passes_ = 0;
        aChaquePasse_ = [&](int passe) {
            if (passe != 3) return;
            if (c.ackAvant) repond(ACK);
            liaison_.StopBtnClick();
        };
        EXPECT_EQ(liaison_.envoieChaine(ENQ), c.accepte) << c.ackAvant;
        EXPECT_EQ(passes_, 3);
    }
}

TEST_F(TLiaisonBrutTest, StopAvantLEchangeSansEffet)
{
    connecte();
    liaison_.StopBtnClick();
    aChaquePasse_ = [&](int passe) {
        if (passe == 2) repond(ACK);
    };
    EXPECT_TRUE(liaison_.envoieChaine(ENQ));
    EXPECT_FALSE(liaison_.arretForce);
}

TEST_F(TLiaisonBrutTest, PasDeReponseAEnquiry)
{
    connecte();
    liaison_.etatSpectre = TEtatSpectre::esBlancEnCours;
    EXPECT_FALSE(liaison_.executeCommande("c8000,5000"));
    EXPECT_EQ(hote_.statut, u"Pas de réponse à Enquiry"_s);
    EXPECT_EQ(emisSeulement(), std::vector<QByteArray>{ENQ});
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esBlancEnCours);
    EXPECT_TRUE(liaison_.estOccupe()) << "the busy pointer stays until EOT, Stop or a command";
    liaison_.StopBtnClick();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(TLiaisonBrutTest, CommandeNonAcquittee)
{
    connecte();
    aChaquePasse_ = [&](int) {
        if (pty_.lit().contains(octetENQ)) repond(ACK);
    };
    EXPECT_FALSE(liaison_.envoieCommande("x"));
    EXPECT_EQ(hote_.messages, (QStringList{u"Envoi de Enquiry ; attente de Acknowledge"_s,
                                           u"Envoi de x"_s}));
    EXPECT_EQ(emisSeulement(), (std::vector<QByteArray>{ENQ, "x"_ba + '\0'}));
}

TEST_F(TLiaisonBrutTest, CommandeSansEOTJusquAStop)
{
    connecte();
    liaison_.etatSpectre = TEtatSpectre::esEcriture;
    aChaquePasse_ = [&](int passe) {
        acquitteTout();
        if (passe == 30) liaison_.StopBtnClick();
    };
    EXPECT_FALSE(liaison_.executeCommande("x"));
    EXPECT_EQ(passes_, 30);
    EXPECT_EQ(hote_.messages.mid(hote_.messages.size() - 2),
              (QStringList{u"Attente de End of text"_s, u"Pas de réponse à x"_s}));
    EXPECT_FALSE(liaison_.estOccupe());
}

TEST_F(TLiaisonBrutTest, CommandeTermineeParEOT)
{
    connecte();
    liaison_.etatSpectre = TEtatSpectre::esEcriture;
    const int rafraichissementsAvant = hote_.rafraichissements;
    aChaquePasse_ = [&](int passe) {
        acquitteTout();
        if (passe == 10) repond("\x04");
    };
    EXPECT_TRUE(liaison_.executeCommande("w8000"));
    EXPECT_EQ(hote_.messages.last(), u"Commande w8000 acceptée"_s);
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
    EXPECT_EQ(emisSeulement(), (std::vector<QByteArray>{ENQ, "w8000"_ba + '\0', ACK}))
        << "the EOT is acknowledged";
    // Before the command, by the EOT, and at the end.
    EXPECT_EQ(hote_.rafraichissements - rafraichissementsAvant, 3);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(TLiaisonBrutTest, MesureSansENQJusquAStop)
{
    connecte();
    liaison_.etatSpectre = TEtatSpectre::esLectureAbs;
    liaison_.pointeurOccupe();
    aChaquePasse_ = [&](int passe) {
        acquitteTout();
        if (passe == 20) liaison_.StopBtnClick();
    };
    EXPECT_FALSE(liaison_.lanceMesure("d"));
    EXPECT_EQ(hote_.messages.last(), u"d non effectuée"_s);
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
    EXPECT_FALSE(liaison_.estOccupe());
}

// Before any connection (the kinetics window's buttons): the port opens by
// itself and ACKs still count, but no trigger is registered, so the EOT goes
// unnoticed and only Stop ends the wait. Stop still counts as done for the
// kinetics window.
TEST_F(TLiaisonBrutTest, CommandeAvantToutBranchement)
{
    hote_.fenetreCinetique = std::make_unique<TCinetiqueEssai>();
    aChaquePasse_ = [&](int passe) {
        acquitteTout();
        if (passe == 5) repond("\x04");
        if (passe == 25) liaison_.StopBtnClick();
    };
    liaison_.setLambda(600);
    EXPECT_TRUE(liaison_.VoieSerie.Open());
    EXPECT_EQ(liaison_.trEOT, 0);
    EXPECT_EQ(passes_, 25);
    EXPECT_EQ(hote_.statut, u"Pas de réponse à w6000"_s);
    EXPECT_TRUE(hote_.fenetreCinetique->lambdaFait);
    EXPECT_EQ(hote_.fenetreCinetique->rafraichissements, 1);
    EXPECT_EQ(emisSeulement(), (std::vector<QByteArray>{ENQ, "w6000"_ba + '\0'}));
}

TEST_F(TLiaisonBrutTest, DeuxLignesDansUnBloc)
{
    connecte();
    annonceResultats("f600", TEtatSpectre::esSpectreEnCours);
    repond("a1 2\0d3 4\0"_ba);
    EXPECT_EQ(liaison_.iCourant, 2);
    EXPECT_EQ(graphe_.nbrePoints, 2);
    EXPECT_TRUE(liaison_.reponse.isEmpty());
    EXPECT_EQ(pty_.litAuMoins(2), ACK + ACK);
    EXPECT_TRUE(liaison_.dernierCarac.contient(0));
}

TEST_F(TLiaisonBrutTest, LigneVideNiStockeeNiAcquittee)
{
    connecte();
    repond("\0"_ba);
    laissePasser();
    EXPECT_EQ(liaison_.iCourant, 0);
    EXPECT_TRUE(pty_.lit().isEmpty());
}

// Other control bytes only mark dernierCarac; the printable ones make the line.
TEST_F(TLiaisonBrutTest, OctetsDeControleHorsLigne)
{
    connecte();
    annonceResultats("f600", TEtatSpectre::esSpectreEnCours);
    repond("  50\r\n0.0  \x03 1.5\0"_ba);
    ASSERT_EQ(liaison_.iCourant, 1);
    EXPECT_DOUBLE_EQ(graphe_.mondeX->valeur[0], 500.0);
    EXPECT_DOUBLE_EQ(graphe_.mondeAbs->valeur[0], 1.5);
    for (int c : {13, 10, 3, 0}) EXPECT_TRUE(liaison_.dernierCarac.contient(c)) << c;
}

TEST_F(TLiaisonBrutTest, PointStockeAvecSaTransmittance)
{
    connecte();
    annonceResultats("f600", TEtatSpectre::esSpectreEnCours);
    liaison_.iCourant = 7;
    repond("  500.0   0.1234\0"_ba);
    EXPECT_DOUBLE_EQ(graphe_.mondeX->valeur[7], 500.0);
    EXPECT_DOUBLE_EQ(graphe_.mondeAbs->valeur[7], 0.1234);
    EXPECT_NEAR(graphe_.MondeTrans->valeur[7], 0.75266, 1e-5);
    EXPECT_EQ(liaison_.iCourant, 8);
    EXPECT_EQ(graphe_.nbrePoints, 8);
}

// The 256th printable character is dropped: the line is read from its first 255.
TEST_F(TLiaisonBrutTest, LigneDePlusDe255Caracteres)
{
    struct Cas {
        qsizetype blancs;
        const char* abs;
    };
    connecte();
    annonceResultats("d", TEtatSpectre::esLectureAbs);
    // 300 blanks: the 255 kept are all blanks, and the scanning rule then takes
    // the last character, a blank, as the number text: nothing readable is
    // left, and the line is dropped.
    for (const Cas c : {Cas{253, "12"}, Cas{254, "1"}, Cas{300, "<vide>"}}) {
        hote_.absEdit = u"<vide>"_s;
        repond(QByteArray(c.blancs, ' ') + "12" + '\0');
        EXPECT_EQ(hote_.absEdit, QString::fromLatin1(c.abs)) << c.blancs;
        EXPECT_TRUE(liaison_.reponse.isEmpty());
    }
}

TEST_F(TLiaisonBrutTest, LectureAbsorbanceVersLaCinetique)
{
    connecte();
    hote_.fenetreCinetique = std::make_unique<TCinetiqueEssai>();
    annonceResultats("d", TEtatSpectre::esLectureAbs);
    repond("ABS -0.0123 X\0"_ba);
    EXPECT_EQ(hote_.absEdit, u"-0.0123"_s);
    EXPECT_TRUE(hote_.fenetreCinetique->absorbances.empty()) << "no run in progress";
    hote_.fenetreCinetique->acquisition = true;
    repond("0,250\0"_ba);
    EXPECT_EQ(hote_.fenetreCinetique->absorbances, std::vector<double>{0.25});
    EXPECT_EQ(pty_.litAuMoins(2), ACK + ACK);
    EXPECT_EQ(liaison_.iCourant, 0) << "readings are not points";
}

TEST_F(TLiaisonBrutTest, CapaciteDeDeuxMilleUnPoints)
{
    connecte();
    annonceResultats("f600", TEtatSpectre::esSpectreEnCours);
    liaison_.iCourant = 1999;
    for (int i = 0; i < 4; ++i) repond("  190.0   0.5\0"_ba);
    EXPECT_EQ(liaison_.iCourant, 2001);
    EXPECT_EQ(graphe_.nbrePoints, 2001);
    EXPECT_EQ(hote_.messages.count(TLiaison::texteCapacite), 1);
    EXPECT_EQ(pty_.litAuMoins(4), QByteArray(4, octetACK)) << "every line is acknowledged";
}

TEST_F(TLiaisonBrutTest, PointeurOccupeJamaisEmpile)
{
    QGuiApplication::setOverrideCursor(Qt::CrossCursor); // someone else's
    liaison_.pointeurOccupe();
    liaison_.pointeurOccupe();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    liaison_.pointeurNormal();
    liaison_.StopBtnClick();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A hang-up in the middle of a scan: what came stays, the window is idle and
// says why, and nothing loops on the dead line.
TEST_F(TLiaisonBrutTest, PortPerduPendantUnBalayage)
{
    connecte();
    liaison_.etatSpectre = TEtatSpectre::esSpectreEnCours;
    liaison_.iCourant = 0;
    liaison_.pointeurOccupe();
    aChaquePasse_ = [&](int passe) {
        acquitteTout();
        if (passe == 4) repond(ENQ);
    };
    ASSERT_TRUE(liaison_.lanceMesure("f600"));
    aChaquePasse_ = nullptr;
    for (const char* l : {"  800.0   0.1\0", "  799.0   0.2\0", "  798.0   0.3\0"})
        repond(QByteArray(l, 14));
    pty_.raccroche();
    ASSERT_TRUE(attendQue([&] { return liaison_.liaisonPerdue(); }));
    laissePasser(50);
    EXPECT_FALSE(liaison_.VoieSerie.Open());
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
    EXPECT_EQ(graphe_.nbrePoints, 3);
    EXPECT_DOUBLE_EQ(graphe_.mondeAbs->valeur[2], 0.3);
    EXPECT_EQ(hote_.statut, TLiaison::textePerte);
    EXPECT_FALSE(liaison_.estOccupe());
    EXPECT_TRUE(hote_.erreurs.isEmpty());

    // The next command fails at once, without a message box and without waiting.
    const int passesAvant = passes_;
    liaison_.etatSpectre = TEtatSpectre::esLectureAbs;
    EXPECT_FALSE(liaison_.lanceMesure("d"));
    EXPECT_EQ(passes_, passesAvant);
    EXPECT_EQ(hote_.statut, TLiaison::textePerte);
    EXPECT_TRUE(hote_.erreurs.isEmpty());
}

TEST_F(TLiaisonBrutTest, PortPerduPendantLAttenteDeEOT)
{
    connecte();
    liaison_.etatSpectre = TEtatSpectre::esBlancEnCours;
    aChaquePasse_ = [&](int passe) {
        acquitteTout();
        if (passe == 8) pty_.raccroche();
    };
    EXPECT_FALSE(liaison_.executeCommande("c8000,5000"));
    EXPECT_LT(passes_, 20);
    EXPECT_EQ(hote_.statut, TLiaison::textePerte);
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
}

// ---- Ports ----------------------------------------------------------------

TEST_F(TLiaisonBrutTest, ListePorts)
{
    struct Cas {
        const char* nom;
        std::vector<int> presents;
        quint16 avant;
        QStringList entrees;
        int selection;
        quint16 apres;
    };
    const Cas cas[] = {
        {"NumeroAbsentRemplace", {4}, 1, {u"COM4"_s}, 0, 4},
        {"NumeroPresentGarde", {4, 9}, 9, {u"COM4"_s, u"COM9"_s}, 1, 9},
        {"JusquACOM50", {50}, 50, {u"COM50"_s}, 0, 50},
        {"AucunPort", {}, 3, {}, -1, 3},
    };
    for (const Cas& c : cas) {
        std::vector<std::pair<int, QString>> ports;
        for (int n : c.presents) ports.push_back({n, pty_.esclave()});
        ecritPorts(seulement(ports));
        liaison_.VoieSerie.setComNumber(c.avant);
        liaison_.listePorts();
        EXPECT_EQ(hote_.entrees, c.entrees) << c.nom;
        EXPECT_EQ(hote_.selection, c.selection) << c.nom;
        EXPECT_EQ(liaison_.VoieSerie.ComNumber(), c.apres) << c.nom;
    }
}

TEST_F(TLiaisonBrutTest, DeclencheursEnregistresUneSeuleFois)
{
    connecte();
    EXPECT_EQ((std::vector<quint16>{liaison_.trEOT, liaison_.trENQ, liaison_.trNul}),
              (std::vector<quint16>{1, 2, 3}));
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
    EXPECT_EQ(hote_.rafraichissements, 1);
    liaison_.ConnectBtnClick(false);
    EXPECT_FALSE(liaison_.VoieSerie.Open());
    connecte();
    EXPECT_EQ(liaison_.trNul, 3);
    EXPECT_EQ(liaison_.VoieSerie.diagnostic().texteJournal().count(u"Déclencheur 4"_s), 0);
    // And they still fire after the reopening.
    repond("\x04");
    EXPECT_EQ(pty_.litAuMoins(1), ACK);
}

TEST_F(TLiaisonBrutTest, ConnexionImpossible)
{
    ecritPorts(seulement({{7, u"/dev/absent-lumko"_s}, {9, pty_.esclave()}}));
    liaison_.etatSpectre = TEtatSpectre::esEcriture;
    liaison_.ConnectBtnClick(true);
    EXPECT_FALSE(liaison_.VoieSerie.Open());
    EXPECT_EQ(liaison_.trEOT, 0);
    EXPECT_EQ(hote_.entrees, QStringList{u"COM9"_s}) << "the port list is rebuilt";
    EXPECT_EQ(liaison_.VoieSerie.ComNumber(), 9);
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
    EXPECT_EQ(hote_.rafraichissements, 1);
    EXPECT_TRUE(hote_.erreurs.isEmpty());
}

TEST_F(TLiaisonBrutTest, PortZeroSelectPort)
{
    ecritPorts(seulement({{7, pty_.esclave()}, {12, pty_.esclave()}}));
    liaison_.VoieSerie.setComNumber(0);
    hote_.choixDialogue = -1; // Cancel
    liaison_.ConnectBtnClick(true);
    EXPECT_FALSE(liaison_.VoieSerie.Open());
    EXPECT_EQ(hote_.entreesDialogue, (QStringList{u"COM7"_s, u"COM12"_s}));
    liaison_.VoieSerie.setComNumber(0);
    hote_.choixDialogue = 1;
    liaison_.ConnectBtnClick(true);
    EXPECT_TRUE(liaison_.VoieSerie.Open());
    EXPECT_EQ(liaison_.VoieSerie.ComNumber(), 12);
}

TEST_F(TLiaisonBrutTest, ChangementDePortDansLaListe)
{
    ecritPorts(seulement({{7, pty_.esclave()}, {8, pty_.esclave()}}));
    liaison_.ComPortsChange(u"COM8"_s);
    EXPECT_EQ(liaison_.VoieSerie.ComNumber(), 8);
    EXPECT_FALSE(liaison_.VoieSerie.Open()) << "changing the number does not open";
    liaison_.ComPortsChange(u"COMx"_s);
    liaison_.ComPortsChange(QString());
    EXPECT_EQ(liaison_.VoieSerie.ComNumber(), 8) << "edited text is ignored";
    connecte();
    liaison_.ComPortsChange(u"COM7"_s);
    EXPECT_TRUE(liaison_.VoieSerie.Open());
    EXPECT_EQ(liaison_.VoieSerie.ComNumber(), 7);
    liaison_.ComPortsChange(u"COM9"_s);
    EXPECT_FALSE(liaison_.VoieSerie.Open());
    EXPECT_EQ(hote_.erreurs.size(), 1);
}

} // namespace

// A command is under way from its ENQ until its results are over, and not
// after a handshake that failed; results that all came within the last pass
// of the ENQ wait leave the window idle, not "waiting for results".
TEST_F(TLiaisonBrutTest, UneCommandeEnCoursJusquALaFinDeSesResultats)
{
    connecte();
    EXPECT_FALSE(liaison_.enCommande());
    std::vector<bool> pendant;
    const auto lecture = [&](const QByteArray& resultats) {
        pendant.clear();
        passes_ = 0;
        aChaquePasse_ = [&](int passe) {
            pendant.push_back(liaison_.enCommande());
            acquitteTout();
            if (passe == 3) repond(resultats);
        };
        liaison_.etatSpectre = TEtatSpectre::esLectureAbs;
        const bool annonce = liaison_.lanceMesure("d");
        aChaquePasse_ = nullptr;
        return annonce;
    };

    // ENQ alone: the reading is still to come.
    ASSERT_TRUE(lecture(ENQ));
    EXPECT_TRUE(std::all_of(pendant.begin(), pendant.end(), [](bool b) { return b; }));
    EXPECT_TRUE(liaison_.enCommande());
    EXPECT_EQ(hote_.statut, u"Attente des résultats"_s);
    EXPECT_EQ(hote_.stopActive, 1);
    repond(ligne("0.512"));
    EXPECT_TRUE(liaison_.enCommande());
    repond(QByteArray(1, octetEOT));
    EXPECT_FALSE(liaison_.enCommande());

    // ENQ, the line and EOT in one go: over when the wait ends.
    ASSERT_TRUE(lecture(ENQ + ligne("0.498") + QByteArray(1, octetEOT)));
    EXPECT_FALSE(liaison_.enCommande());
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
    EXPECT_TRUE(hote_.statut.isEmpty()) << "refreshed as the EOT refreshes it";
    EXPECT_EQ(hote_.stopActive, 1) << "Stop is not enabled on an idle window";
    EXPECT_EQ(hote_.absEdit, u"0.498"_s);

    // No answer to ENQ: the command is over, though its state stays for Stop.
    liaison_.etatSpectre = TEtatSpectre::esLectureAbs;
    EXPECT_FALSE(liaison_.lanceMesure("d"));
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esLectureAbs);
    EXPECT_FALSE(liaison_.enCommande());
}

// ---- Where a reply line goes ------------------------------------------------

namespace {

enum class TEchangeEssai { balayage, lecture, balayageArrete, lectureArretee };

struct TCasRoute {
    const char* nom;
    TEchangeEssai echange;
    const char* ligne;
    bool point;          // stored as a point of the scan
    const char* abs;     // shown as the reading ("<vide>": nothing shown)
    int ignorees;
    const QString* message; // the status line, once, when the line is dropped
};

void PrintTo(const TCasRoute& c, std::ostream* os)
{
    *os << c.nom;
}

const QString* const sansMessage = nullptr;

const TCasRoute casRoutes[] = {
    {"pointDuBalayage", TEchangeEssai::balayage, "  500.0   0.1234", true, "<vide>", 0, sansMessage},
    {"valeurSeuleDansLeBalayage", TEchangeEssai::balayage, "0.1234", false, "<vide>", 1, &TLiaison::texteIllisible},
    {"balayageIllisible", TEchangeEssai::balayage, "500.0,0.123", false, "<vide>", 1, &TLiaison::texteIllisible},
    {"pointApresStopDuBalayage", TEchangeEssai::balayageArrete, "510.0 0.2", true, "<vide>", 0, sansMessage},
    {"valeurDeLaLecture", TEchangeEssai::lecture, "ABS -0.0123 X", false, "-0.0123", 0, sansMessage},
    {"pointPendantLaLecture", TEchangeEssai::lecture, "500.0 0.43", false, "<vide>", 1, &TLiaison::texteInattendue},
    {"lectureERR", TEchangeEssai::lecture, "ERR", false, "<vide>", 1, &TLiaison::texteIllisible},
    {"lectureDeuxPoints", TEchangeEssai::lecture, "1.2.3", false, "<vide>", 1, &TLiaison::texteIllisible},
    {"lectureSigneSeul", TEchangeEssai::lecture, "-", false, "<vide>", 1, &TLiaison::texteIllisible},
    {"valeurApresStopDeLaLecture", TEchangeEssai::lectureArretee, "0.43", false, "<vide>", 1, &TLiaison::texteInattendue},
};

} // namespace

class RouteDesLignes : public TLiaisonBrutTest, public ::testing::WithParamInterface<TCasRoute> {};

// A line is stored only where its shape fits the exchange it belongs to; any
// other is acknowledged, counted, said once, and changes nothing.
TEST_P(RouteDesLignes, uneLigneNeVaQueLaOuElleSAjuste)
{
    const TCasRoute& c = GetParam();
    connecte();
    hote_.fenetreCinetique = std::make_unique<TCinetiqueEssai>();
    hote_.fenetreCinetique->acquisition = true;
    const bool balayage = c.echange == TEchangeEssai::balayage || c.echange == TEchangeEssai::balayageArrete;
    annonceResultats(balayage ? "f600" : "d",
                     balayage ? TEtatSpectre::esSpectreEnCours : TEtatSpectre::esLectureAbs);
    if (c.echange == TEchangeEssai::balayageArrete || c.echange == TEchangeEssai::lectureArretee)
        liaison_.StopBtnClick();
    hote_.messages.clear();

    for (int fois = 0; fois < 2; ++fois) repond(QByteArray(c.ligne) + '\0');

    EXPECT_EQ(graphe_.nbrePoints, c.point ? 2 : 0);
    EXPECT_EQ(liaison_.iCourant, c.point ? 2 : 0);
    EXPECT_EQ(hote_.absEdit, QString::fromLatin1(c.abs));
    const bool valeur = QString::fromLatin1(c.abs) != u"<vide>"_s;
    EXPECT_EQ(hote_.fenetreCinetique->absorbances.size(), valeur ? 2U : 0U);
    EXPECT_EQ(liaison_.lignesIgnorees(), 2 * c.ignorees);
    if (c.message != nullptr) {
        EXPECT_EQ(hote_.messages.count(*c.message), 1) << "said once";
    }
    EXPECT_EQ(pty_.litAuMoins(2), ACK + ACK) << "every line is acknowledged";
}

INSTANTIATE_TEST_SUITE_P(Cas, RouteDesLignes, ::testing::ValuesIn(casRoutes),
                         [](const auto& info) { return std::string(info.param.nom); });

// An EOT out of order leaves the window idle while the wait for ENQ goes on:
// the link still counts as busy, and closing the window ends the wait.
TEST_F(TLiaisonBrutTest, EOTHorsDeProposPuisFermeture)
{
    connecte();
    liaison_.etatSpectre = TEtatSpectre::esLectureAbs;
    std::vector<bool> occupe;
    aChaquePasse_ = [&](int passe) {
        acquitteTout();
        if (passe == 5) repond("\x04");
        if (passe == 10) occupe.push_back(liaison_.enCommande());
        if (passe == 15) liaison_.setFermeture();
    };
    EXPECT_FALSE(liaison_.lanceMesure("d"));
    EXPECT_EQ(passes_, 15);
    EXPECT_EQ(occupe, std::vector<bool>{true});
    EXPECT_FALSE(liaison_.enCommande());
    EXPECT_EQ(liaison_.issue(), TIssueCommande::eArretee);

    aChaquePasse_ = [&](int) { acquitteTout(); };
    EXPECT_FALSE(liaison_.executeCommande("x")) << "nothing starts once closing";
    EXPECT_EQ(emisSeulement().size(), 3U) << "ENQ, d, ACK of the EOT: nothing more";
}

// The user's "Déconnecter" during a wait is a failure, and the port stays
// closed: no later pass or command opens it behind the user's back.
TEST_F(TLiaisonBrutTest, DeconnecterPendantUneAttente)
{
    connecte();
    hote_.fenetreCinetique = std::make_unique<TCinetiqueEssai>();
    liaison_.etatSpectre = TEtatSpectre::esEcriture;
    aChaquePasse_ = [&](int passe) {
        acquitteTout();
        if (passe == 10) liaison_.ConnectBtnClick(false);
    };
    EXPECT_FALSE(liaison_.executeCommande("w6000"));
    EXPECT_EQ(liaison_.issue(), TIssueCommande::eInterrompue);
    EXPECT_FALSE(hote_.fenetreCinetique->lambdaFait) << "not done";
    EXPECT_FALSE(liaison_.VoieSerie.Open());

    const std::size_t emis = emisSeulement().size();
    EXPECT_FALSE(liaison_.executeCommande("x"));
    EXPECT_FALSE(liaison_.VoieSerie.Open());
    EXPECT_EQ(emisSeulement().size(), emis);
    EXPECT_EQ(hote_.messages.last(), TLiaison::texteFerme);
}

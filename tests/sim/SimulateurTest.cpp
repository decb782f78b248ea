#include "TBoutProgramme.h"

#include "sim/TModeleOptique.h"
#include "sim/TSimulateur.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Horloge = std::chrono::steady_clock;

const std::string ENQ = "\x05";
const std::string ACK = "\x06";
const std::string NAK = "\x15";
const std::string EOT = "\x04";

// No pacing and no operation delays: the exchanges run as fast as the
// test answers.
TConfigInstrument sansDelai()
{
    TConfigInstrument cfg;
    cfg.rapide = true;
    cfg.facteurTemps = 0.0;
    return cfg;
}

// A simulator and the program's end of its line.
class SimulateurTest : public ::testing::Test {
protected:
    void demarre(const TConfigInstrument& cfg = sansDelai())
    {
        sim_ = std::make_unique<TSimulateur>(cfg);
        ASSERT_TRUE(sim_->demarre()) << sim_->erreur();
        ASSERT_TRUE(prog_.ouvre(sim_->peripherique()));
    }

    // The exchange a program makes for a command, through to its results.
    TBoutProgramme::TResultat balayage(int debut, int fin, int vitesse, int parametre)
    {
        const std::string plage = std::to_string(fin * 10) + "," + std::to_string(debut * 10);
        EXPECT_TRUE(prog_.opere("c" + plage));
        EXPECT_TRUE(prog_.opere("a" + plage + "," + std::to_string(vitesse)));
        return prog_.mesure("f" + std::to_string(parametre));
    }

    // The journal once it holds n bytes (the simulator records the program's
    // last ACK only when it reads it).
    std::vector<TOctetJournal> journalDe(std::size_t n)
    {
        const auto limite = Horloge::now() + 3s;
        while (sim_->journal().size() < n && Horloge::now() < limite) std::this_thread::sleep_for(1ms);
        return sim_->journal();
    }

    std::unique_ptr<TSimulateur> sim_;
    TBoutProgramme prog_;
};

std::string texteJournal(const std::vector<TOctetJournal>& journal)
{
    std::string t;
    for (const TOctetJournal& o : journal) {
        t += o.versProgramme ? "I:" : "P:";
        t += o.octet >= 32 ? std::string(1, static_cast<char>(o.octet)) : std::to_string(o.octet);
        t += ' ';
    }
    return t;
}

TEST_F(SimulateurTest, AcquitteEnquiryEtTermineLesOperations)
{
    demarre();
    prog_.envoie(ENQ);
    EXPECT_EQ(prog_.lit(), 0x06);
    // The four operations and a letter the instrument does not know all end
    // with EOT, so that the program never waits forever.
    const std::vector<std::string> commandes = {"c8000,5000", "a8000,5000,3", "w5000", "x", "q12"};
    for (const std::string& c : commandes) EXPECT_TRUE(prog_.opere(c)) << c;
    EXPECT_EQ(sim_->commandes(), commandes);
}

TEST_F(SimulateurTest, LeJournalSuitLeFilDansLOrdre)
{
    demarre();
    ASSERT_TRUE(prog_.opere("w5000"));
    const std::vector<TOctetJournal> j = journalDe(11);
    EXPECT_EQ(texteJournal(j), "P:5 I:6 P:w P:5 P:0 P:0 P:0 P:0 I:6 I:4 P:6 ");
    sim_->videJournal();
    EXPECT_TRUE(sim_->journal().empty());
    EXPECT_TRUE(sim_->commandes().empty());
}

// A command is whatever printable text came since the last NUL, however it
// was split; a NUL alone is no command and gets no answer.
TEST_F(SimulateurTest, UneCommandeVaJusquAuNul)
{
    demarre();
    prog_.envoie(std::string("\0", 1));
    EXPECT_EQ(prog_.lit(100), std::nullopt);
    prog_.envoie("w5");
    prog_.envoie("9");
    prog_.envoie(std::string("00\0", 3));
    EXPECT_EQ(prog_.lit(), 0x06);
    EXPECT_EQ(prog_.lit(), 0x04);
    EXPECT_EQ(sim_->commandes(), std::vector<std::string> {"w5900"});
}

struct CasBalayage {
    int debut, fin, vitesse, parametre;
    std::size_t points;
    double pas;
};

std::ostream& operator<<(std::ostream& os, const CasBalayage& c)
{
    return os << c.debut << "-" << c.fin << " nm, f" << c.parametre;
}

class BalayageTest : public SimulateurTest, public ::testing::WithParamInterface<CasBalayage> {};

// Blank, set-up and scan: one line per point, from the long wavelengths down,
// each acknowledged before the next, then EOT; after the blank the sample's
// bands come out with the optics removed.
TEST_P(BalayageTest, DonneLesPointsAttendus)
{
    const CasBalayage c = GetParam();
    demarre();
    const TBoutProgramme::TResultat r = balayage(c.debut, c.fin, c.vitesse, c.parametre);
    EXPECT_TRUE(r.annonce);
    EXPECT_TRUE(r.fini);
    EXPECT_TRUE(r.controles.empty());
    ASSERT_EQ(r.lignes.size(), c.points);
    for (std::size_t k = 0; k < r.lignes.size(); ++k) {
        const std::string& ligne = r.lignes[k];
        ASSERT_EQ(ligne.size(), 16U) << ligne;
        EXPECT_EQ(ligne[5], '.') << ligne;
        EXPECT_EQ(ligne[11], '.') << ligne;
        const auto point = lisPoint(ligne);
        ASSERT_TRUE(point) << ligne;
        EXPECT_NEAR(point->first, c.fin - c.pas * static_cast<double>(k), 1e-9) << ligne;
        EXPECT_NEAR(point->second, TModeleOptique::absorbanceEchantillon(point->first), 0.02) << ligne;
    }
    EXPECT_EQ(lisPoint(r.lignes.back())->first, c.debut);
}

INSTANTIATE_TEST_SUITE_P(Plages, BalayageTest,
                         ::testing::Values(CasBalayage {500, 800, 3, 600, 601, 0.5},
                                           CasBalayage {500, 800, 1, 300, 301, 1.0},
                                           CasBalayage {400, 500, 5, 1000, 201, 0.5},
                                           CasBalayage {190, 1100, 2, 910, 911, 1.0}));

TEST_F(SimulateurTest, LectureDAbsorbance)
{
    demarre();
    ASSERT_TRUE(prog_.opere("w5900"));
    ASSERT_TRUE(prog_.opere("x"));
    const TBoutProgramme::TResultat r = prog_.mesure("d");
    EXPECT_TRUE(r.annonce);
    EXPECT_TRUE(r.fini);
    ASSERT_EQ(r.lignes.size(), 1U);
    EXPECT_EQ(r.lignes[0].size(), 7U) << r.lignes[0];
    const std::optional<double> a = lisNombre(r.lignes[0]);
    ASSERT_TRUE(a);
    EXPECT_NEAR(*a, TModeleOptique::absorbanceColorant(590.0, 0.0, TConfigInstrument {}.demiVie), 0.02);
}

// The dye fades from the zero on: with a half-life of 50 ms, a quarter of a
// second later little of it is left.
TEST_F(SimulateurTest, LeColorantSEfface)
{
    TConfigInstrument cfg = sansDelai();
    cfg.demiVie = 0.05;
    demarre(cfg);
    ASSERT_TRUE(prog_.opere("w5900"));
    ASSERT_TRUE(prog_.opere("x"));
    const TBoutProgramme::TResultat avant = prog_.mesure("d");
    std::this_thread::sleep_for(250ms);
    const TBoutProgramme::TResultat apres = prog_.mesure("d");
    ASSERT_EQ(avant.lignes.size(), 1U);
    ASSERT_EQ(apres.lignes.size(), 1U);
    EXPECT_GT(*lisNombre(avant.lignes[0]), 1.0);
    EXPECT_LT(*lisNombre(apres.lignes[0]), 0.1);
}

// The program closes its port and opens it again: the instrument is still there.
TEST_F(SimulateurTest, SurvitALaFermetureDuPort)
{
    demarre();
    for (int fois = 0; fois < 3; ++fois) {
        TBoutProgramme autre;
        ASSERT_TRUE(autre.ouvre(sim_->peripherique()));
        EXPECT_TRUE(autre.opere("w5000")) << fois;
    }
    EXPECT_TRUE(prog_.opere("x"));
}

TEST_F(SimulateurTest, NeDemarrePasDeuxFois)
{
    demarre();
    EXPECT_FALSE(sim_->demarre());
    EXPECT_FALSE(sim_->erreur().empty());
    EXPECT_TRUE(sim_->actif());
}

// ---- Pace ---------------------------------------------------------------------

// Without --fast the bytes leave one per character time of 9600 baud 7O1.
TEST_F(SimulateurTest, CadenceLesOctetsAuDebitReel)
{
    TConfigInstrument cfg;
    cfg.facteurTemps = 0.0;
    demarre(cfg);
    ASSERT_TRUE(prog_.opere("a5100,5000,1"));
    ASSERT_TRUE(prog_.transmet("f10"));
    ASSERT_EQ(prog_.lit(), 0x05);
    const auto debut = Horloge::now();
    prog_.envoie(ACK);
    std::size_t octets = 0;
    for (std::optional<std::uint8_t> o = prog_.lit(); o && *o != 0x04; o = prog_.lit()) {
        ++octets;
        if (*o == 0) prog_.envoie(ACK);
    }
    const double secondes = std::chrono::duration<double>(Horloge::now() - debut).count();
    EXPECT_EQ(octets, 11U * 17U);
    EXPECT_GE(secondes, 0.95 * static_cast<double>(octets) / 960.0);
    prog_.envoie(ACK);
}

// Stopping never waits for a slow scan to end.
TEST_F(SimulateurTest, SArreteAussitot)
{
    TConfigInstrument cfg; // real pace, real delays: this scan would last minutes
    demarre(cfg);
    prog_.envoie(ENQ);
    ASSERT_EQ(prog_.lit(), 0x06);
    prog_.envoie(std::string("f600\0", 5));
    ASSERT_EQ(prog_.lit(), 0x06);
    ASSERT_EQ(prog_.lit(), 0x05);
    prog_.envoie(ACK);
    ASSERT_TRUE(prog_.lit());
    const auto debut = Horloge::now();
    sim_.reset();
    EXPECT_LT(Horloge::now() - debut, 1s);
    EXPECT_TRUE(prog_.raccrochee());
}

// ---- The program's side misbehaving --------------------------------------------

// An ACK that never comes: the instrument gives up and answers the next ENQ.
TEST_F(SimulateurTest, RenonceSansACK)
{
    TConfigInstrument cfg = sansDelai();
    cfg.attenteAck = 0.05;
    demarre(cfg);
    ASSERT_TRUE(prog_.transmet("d"));
    ASSERT_EQ(prog_.lit(), 0x05);
    EXPECT_EQ(prog_.recoitJusquAuSilence(200), ""); // no line without the ACK
    EXPECT_TRUE(prog_.opere("x"));
}

// The program gives up on a long operation and sends something else: the
// instrument drops the operation and answers, without a stray EOT later.
TEST_F(SimulateurTest, UneNouvelleCommandeInterromptLOperation)
{
    TConfigInstrument cfg = sansDelai();
    cfg.facteurTemps = 1.0; // a blank of 300 nm takes seconds
    demarre(cfg);
    ASSERT_TRUE(prog_.transmet("c8000,5000"));
    cfg.facteurTemps = 0.0;
    sim_->setConfig(cfg);
    ASSERT_TRUE(prog_.opere("x"));
    EXPECT_EQ(prog_.recoitJusquAuSilence(100), "");
}

// ---- Faults -------------------------------------------------------------------

TEST_F(SimulateurTest, MuetNeRepondJamais)
{
    TConfigInstrument cfg = sansDelai();
    cfg.muet = true;
    demarre(cfg);
    prog_.envoie(ENQ);
    prog_.envoie(std::string("w5000\0", 6));
    EXPECT_EQ(prog_.recoitJusquAuSilence(150), "");
    EXPECT_EQ(sim_->commandes(), std::vector<std::string> {"w5000"});
}

// NAK for the first n transmissions, ENQ and commands alike, then ACK.
TEST_F(SimulateurTest, NAKAvantACK)
{
    struct Cas {
        int naks;
        std::vector<std::pair<std::string, std::string>> echanges;
    };
    const std::string cmd("x\0", 2);
    const Cas cas[] = {
        {2, {{ENQ, NAK}, {ENQ, NAK}, {ENQ, ACK}, {cmd, ACK + EOT}}},
        {3, {{ENQ, NAK}, {ENQ, NAK}, {cmd, NAK}, {ENQ, ACK}, {cmd, ACK + EOT}}},
        {0, {{ENQ, ACK}, {cmd, ACK + EOT}}},
    };
    for (const Cas& c : cas) {
        TConfigInstrument cfg = sansDelai();
        cfg.nakAvantAck = c.naks;
        demarre(cfg);
        for (const auto& [envoi, attendu] : c.echanges) {
            prog_.envoie(envoi);
            EXPECT_EQ(prog_.recoitJusquAuSilence(50), attendu) << c.naks;
        }
        prog_.envoie(ACK);
        prog_.ferme();
    }
}

TEST_F(SimulateurTest, NAKRecommenceAvecLaConfiguration)
{
    demarre();
    TConfigInstrument cfg = sansDelai();
    cfg.nakAvantAck = 1;
    sim_->setConfig(cfg);
    prog_.envoie(ENQ);
    EXPECT_EQ(prog_.lit(), 0x15);
    prog_.envoie(ENQ);
    EXPECT_EQ(prog_.lit(), 0x06);
    EXPECT_EQ(sim_->config().nakAvantAck, 1);
}

// Acknowledged, then silence; the next ENQ is answered as usual.
TEST_F(SimulateurTest, SansFinNiEOTNiENQ)
{
    TConfigInstrument cfg = sansDelai();
    cfg.sansFin = true;
    demarre(cfg);
    for (const std::string c : {"c8000,5000", "f600", "d"}) {
        ASSERT_TRUE(prog_.transmet(c)) << c;
        EXPECT_EQ(prog_.recoitJusquAuSilence(100), "") << c;
    }
}

// Long enough for an EOT or an ENQ to show up had the instrument sent one:
// without pacing and with no operation delays it would come at once.
constexpr int silenceMs = 200;

// Switched on between two readings: the results still come, each line
// acknowledged, but nothing closes them; the instrument is idle all the same,
// and the operations keep their EOT.
TEST_F(SimulateurTest, PerdEOTApresLesResultats)
{
    demarre();
    ASSERT_TRUE(prog_.opere("a5100,5000,1"));
    EXPECT_TRUE(prog_.mesure("d").fini);
    TConfigInstrument cfg = sansDelai();
    cfg.perdEOT = true;
    sim_->setConfig(cfg);
    for (const auto& [commande, lignes] : {std::pair {"d", 1U}, std::pair {"f10", 11U}}) {
        const TBoutProgramme::TResultat r = prog_.mesure(commande, silenceMs);
        EXPECT_TRUE(r.annonce) << commande;
        EXPECT_EQ(r.lignes.size(), lignes) << commande;
        EXPECT_TRUE(r.controles.empty()) << commande;
        EXPECT_FALSE(r.fini) << commande;
        EXPECT_TRUE(prog_.opere("w5000")) << commande;
    }
}

// The measuring commands are acknowledged and then nothing follows, while a
// wavelength and a blank go through to their EOT.
TEST_F(SimulateurTest, SansENQPourLesMesures)
{
    TConfigInstrument cfg = sansDelai();
    cfg.sansENQ = true;
    demarre(cfg);
    for (const std::string commande : {"d", "f10"}) {
        EXPECT_TRUE(prog_.opere("w5900")) << commande;
        EXPECT_TRUE(prog_.opere("c8000,5000")) << commande;
        ASSERT_TRUE(prog_.transmet(commande)) << commande;
        EXPECT_EQ(prog_.recoitJusquAuSilence(silenceMs), "") << commande;
    }
}

// The operations take no time, yet the reading's ENQ waits for the delay; a
// transmission from the program during it drops the reading for good (the
// last silence outlasts the delay, so a late ENQ would show).
TEST_F(SimulateurTest, LectureEnRetard)
{
    constexpr int retardMs = 300;
    TConfigInstrument cfg = sansDelai();
    cfg.delaiLecture = retardMs / 1000.0;
    demarre(cfg);
    ASSERT_TRUE(prog_.opere("w5900"));
    const auto debut = Horloge::now();
    ASSERT_TRUE(prog_.transmet("d"));
    ASSERT_EQ(prog_.lit(), 0x05);
    EXPECT_GE(Horloge::now() - debut, std::chrono::milliseconds(retardMs));
    prog_.envoie(ACK);
    const std::string ligne = prog_.recoitJusquAuSilence(50);
    ASSERT_EQ(ligne.size(), 8U);
    EXPECT_TRUE(lisNombre(ligne)) << ligne;
    prog_.envoie(ACK);
    ASSERT_EQ(prog_.lit(), 0x04);
    prog_.envoie(ACK);

    ASSERT_TRUE(prog_.transmet("d"));
    prog_.envoie(ENQ);
    EXPECT_EQ(prog_.lit(), 0x06);
    prog_.envoie(std::string("x\0", 2));
    EXPECT_EQ(prog_.recoitJusquAuSilence(50), ACK + EOT);
    prog_.envoie(ACK);
    EXPECT_EQ(prog_.recoitJusquAuSilence(2 * retardMs), "");
}

// Switched on between two readings: points and absorbances alike come as the
// text, each ended by NUL and acknowledged, and the results still end with EOT.
TEST_F(SimulateurTest, TexteAuLieuDesNombres)
{
    demarre();
    ASSERT_TRUE(prog_.opere("a5100,5000,1"));
    const TBoutProgramme::TResultat avant = prog_.mesure("d");
    ASSERT_EQ(avant.lignes.size(), 1U);
    EXPECT_TRUE(lisNombre(avant.lignes[0]));
    TConfigInstrument cfg = sansDelai();
    cfg.texteReponse = "ERR";
    sim_->setConfig(cfg);
    for (const auto& [commande, lignes] : {std::pair {"d", 1U}, std::pair {"f10", 11U}}) {
        const TBoutProgramme::TResultat r = prog_.mesure(commande);
        EXPECT_TRUE(r.fini) << commande;
        EXPECT_TRUE(r.controles.empty()) << commande;
        EXPECT_EQ(r.lignes, std::vector<std::string>(lignes, "ERR")) << commande;
    }
}

// Stray control bytes and printable garbage around the lines: every line
// still ends with its point after text that holds no number.
TEST_F(SimulateurTest, Parasites)
{
    TConfigInstrument cfg = sansDelai();
    cfg.parasites = true;
    demarre(cfg);
    const TBoutProgramme::TResultat r = balayage(500, 800, 3, 300);
    EXPECT_TRUE(r.annonce);
    EXPECT_TRUE(r.fini);
    ASSERT_EQ(r.lignes.size(), 301U);
    EXPECT_FALSE(r.controles.empty());
    EXPECT_EQ(r.controles.find_first_not_of("\r\n\x02\x03\x07"), std::string::npos);
    std::size_t brouillees = 0;
    for (std::size_t k = 0; k < r.lignes.size(); ++k) {
        const std::string& ligne = r.lignes[k];
        ASSERT_GE(ligne.size(), 16U);
        const std::string devant = ligne.substr(0, ligne.size() - 16);
        EXPECT_EQ(devant.find_first_of("0123456789+-"), std::string::npos) << ligne;
        brouillees += devant.empty() ? 0 : 1;
        const auto point = lisPoint(ligne.substr(ligne.size() - 16));
        ASSERT_TRUE(point) << ligne;
        EXPECT_EQ(point->first, 800.0 - static_cast<double>(k));
    }
    EXPECT_EQ(brouillees, r.lignes.size());
}

TEST_F(SimulateurTest, LignesLongues)
{
    TConfigInstrument cfg = sansDelai();
    cfg.lignesLongues = true;
    demarre(cfg);
    const TBoutProgramme::TResultat r = balayage(500, 600, 3, 200);
    ASSERT_EQ(r.lignes.size(), 201U);
    for (const std::string& ligne : r.lignes) {
        EXPECT_GT(ligne.size(), 255U);
        const auto point = lisPoint(ligne.substr(0, 16));
        ASSERT_TRUE(point) << ligne;
        EXPECT_EQ(ligne.find_first_of("0123456789+-", 16), std::string::npos) << ligne;
    }
}

TEST_F(SimulateurTest, PointsForces)
{
    TConfigInstrument cfg = sansDelai();
    cfg.pointsForces = 2100;
    demarre(cfg);
    const TBoutProgramme::TResultat r = balayage(190, 1100, 4, 910);
    EXPECT_TRUE(r.fini);
    ASSERT_EQ(r.lignes.size(), 2100U);
    EXPECT_EQ(lisPoint(r.lignes.front())->first, 1100.0);
    EXPECT_EQ(lisPoint(r.lignes.back())->first, 190.0);
}

// Hang-up after n lines of a scan: those n arrive and are acknowledged, then
// the line is gone.
TEST_F(SimulateurTest, RaccrocheEnCoursDeBalayage)
{
    for (const int n : {0, 5}) {
        TConfigInstrument cfg = sansDelai();
        cfg.raccrocheApresPoints = n;
        demarre(cfg);
        const TBoutProgramme::TResultat r = balayage(500, 800, 3, 600);
        EXPECT_TRUE(r.annonce);
        EXPECT_FALSE(r.fini);
        EXPECT_EQ(r.lignes.size(), static_cast<std::size_t>(n));
        EXPECT_TRUE(prog_.raccrochee());
        const auto limite = Horloge::now() + 3s;
        while (sim_->actif() && Horloge::now() < limite) std::this_thread::sleep_for(1ms);
        EXPECT_FALSE(sim_->actif());
        prog_.ferme();
    }
}

// raccroche() cuts the line at once; the simulator may start again on a new pty.
TEST_F(SimulateurTest, RaccrocheEtRedemarre)
{
    demarre();
    sim_->raccroche();
    EXPECT_FALSE(sim_->actif());
    EXPECT_TRUE(prog_.raccrochee());
    ASSERT_TRUE(sim_->demarre()) << sim_->erreur();
    TBoutProgramme nouveau;
    ASSERT_TRUE(nouveau.ouvre(sim_->peripherique()));
    EXPECT_TRUE(nouveau.opere("x"));
}

} // namespace

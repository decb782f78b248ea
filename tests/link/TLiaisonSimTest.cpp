#include "link/Commandes.h"
#include "sim/TSimulateur.h"

#include "TLiaisonFixture.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// One token of the exchange on the wire: who sent it and what, a control byte
// by its name or a text line with its NUL.
struct TJeton {
    bool versProgramme;
    std::string texte;
    bool operator==(const TJeton&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TJeton& j)
{
    return os << (j.versProgramme ? "I>" : "P>") << j.texte;
}

std::string nomControle(std::uint8_t c)
{
    switch (c) {
    case 0x00: return "NUL";
    case 0x04: return "EOT";
    case 0x05: return "ENQ";
    case 0x06: return "ACK";
    case 0x15: return "NAK";
    default: return "0x" + std::to_string(c);
    }
}

// Printable runs end with their NUL ("c8000,5000" NUL is one token); every
// other control byte is a token by itself.
std::vector<TJeton> jetons(const std::vector<TOctetJournal>& journal)
{
    std::vector<TJeton> j;
    std::string ligne;
    bool sens = false;
    for (const TOctetJournal& o : journal) {
        if (!ligne.empty() && o.versProgramme != sens) {
            j.push_back({sens, ligne + "<sans NUL>"});
            ligne.clear();
        }
        sens = o.versProgramme;
        if (o.octet >= 32) {
            ligne += static_cast<char>(o.octet);
        } else if (o.octet == 0 && !ligne.empty()) {
            j.push_back({sens, ligne + "+NUL"});
            ligne.clear();
        } else {
            j.push_back({sens, nomControle(o.octet)});
        }
    }
    return j;
}

TJeton P(std::string t) { return {false, std::move(t)}; }
TJeton I(std::string t) { return {true, std::move(t)}; }

// The simulator at the other end of COM7, without pacing and with its
// operations shortened. Passes last 5 ms here, so that the simulator's
// answers come well within the virtual five seconds.
class TLiaisonSimTest : public TLiaisonFixture {
protected:
    void demarre(TConfigInstrument cfg = {})
    {
        cfg.rapide = true;
        cfg.facteurTemps = 0.001;
        sim_ = std::make_unique<TSimulateur>(cfg);
        // Through a link that goes with the simulator: a pts number freed by a
        // hang-up is soon another process's pty.
        ASSERT_TRUE(sim_->demarre(lien_.toStdString())) << sim_->erreur();
        ecritPorts(seulement({{7, lien_}}));
        liaison_.VoieSerie.setComNumber(7);
        liaison_.setDureePasse(5);
    }

    void connecte()
    {
        liaison_.ConnectBtnClick(true);
        ASSERT_TRUE(liaison_.VoieSerie.Open());
    }

    // The blank as the window makes it.
    bool blanc(int debut, int fin)
    {
        liaison_.etatSpectre = TEtatSpectre::esBlancEnCours;
        const bool fait = liaison_.executeCommande(commandeBlanc(debut, fin));
        liaison_.etatSpectre = TEtatSpectre::esAttente;
        return fait;
    }

    // The scan as the window starts it; true when the results were announced.
    bool lanceBalayage(int debut, int fin, int vitesse)
    {
        liaison_.etatSpectre = TEtatSpectre::esSpectreEnCours;
        liaison_.pointeurOccupe();
        liaison_.iCourant = 0;
        liaison_.executeCommande(commandeReglage(debut, fin, vitesse));
        liaison_.etatSpectre = TEtatSpectre::esSpectreEnCours;
        return liaison_.lanceMesure(commandeDepart(parametreBalayage(fin - debut, vitesse)));
    }

    bool attendFin(int delaiMs = 20000)
    {
        return attendQue([&] { return liaison_.etatSpectre == TEtatSpectre::esAttente; }, delaiMs);
    }

    // The exchange once the simulator has read the program's ACK of its EOT:
    // it reads on its own thread, a little after the program has written.
    std::vector<TJeton> echangeTermine() const
    {
        std::vector<TJeton> j;
        attendQue([&] {
            j = jetons(sim_->journal());
            return j.size() >= 2 && j[j.size() - 2] == I("EOT") && j.back() == P("ACK");
        });
        return j;
    }

    int lignesRecues(const std::vector<TJeton>& j) const
    {
        return static_cast<int>(std::count_if(j.begin(), j.end(), [](const TJeton& t) {
            return t.versProgramme && t.texte.ends_with("+NUL");
        }));
    }

    QString lien_ = dossier_.filePath(u"instrument"_s);
    std::unique_ptr<TSimulateur> sim_;
};

TEST_F(TLiaisonSimTest, BlancSurLeFil)
{
    demarre();
    connecte();
    sim_->videJournal();
    EXPECT_TRUE(blanc(500, 800));
    EXPECT_EQ(echangeTermine(),
              (std::vector<TJeton>{P("ENQ"), I("ACK"), P("c8000,5000+NUL"), I("ACK"), I("EOT"),
                                   P("ACK")}));
    EXPECT_EQ(hote_.messages.last(), u"Commande c8000,5000 acceptée"_s);
}

// Blank, scan and EOT: every line of the simulated spectrum is stored,
// acknowledged once, in order, from the long wavelengths down.
TEST_F(TLiaisonSimTest, BalayageCompletSurLeFil)
{
    demarre();
    connecte();
    ASSERT_TRUE(blanc(500, 800));
    echangeTermine();
    sim_->videJournal();
    ASSERT_TRUE(lanceBalayage(500, 800, 2));
    ASSERT_TRUE(attendFin());
    EXPECT_FALSE(liaison_.estOccupe());

    const std::vector<TJeton> j = echangeTermine();
    const std::vector<TJeton> debut = {P("ENQ"), I("ACK"), P("a8000,5000,3+NUL"), I("ACK"),
                                       I("EOT"), P("ACK"), P("ENQ"), I("ACK"), P("f600+NUL"),
                                       I("ACK"), I("ENQ"), P("ACK")};
    ASSERT_GT(j.size(), debut.size() + 2);
    EXPECT_EQ(std::vector<TJeton>(j.begin(), j.begin() + debut.size()), debut);
    const int lignes = lignesRecues(j);
    for (std::size_t k = debut.size(); k + 2 < j.size(); k += 2) {
        EXPECT_TRUE(j[k].versProgramme && j[k].texte.ends_with("+NUL")) << k << " " << j[k];
        EXPECT_EQ(j[k + 1], P("ACK")) << k;
    }
    EXPECT_EQ(std::vector<TJeton>(j.end() - 2, j.end()), (std::vector<TJeton>{I("EOT"), P("ACK")}));

    ASSERT_GT(lignes, 100);
    EXPECT_EQ(graphe_.nbrePoints, lignes);
    EXPECT_EQ(liaison_.iCourant, lignes);
    EXPECT_NEAR(graphe_.mondeX->valeur[0], 800.0, 1.0);
    EXPECT_NEAR(graphe_.mondeX->valeur[lignes - 1], 500.0, 1.0);
    for (int k = 0; k < lignes; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (k > 0) {
            EXPECT_LT(graphe_.mondeX->valeur[i], graphe_.mondeX->valeur[i - 1]) << k;
        }
        EXPECT_GT(graphe_.mondeAbs->valeur[i], -0.5) << k;
        EXPECT_LT(graphe_.mondeAbs->valeur[i], 3.5) << k;
        EXPECT_DOUBLE_EQ(graphe_.MondeTrans->valeur[i], std::pow(10.0, -graphe_.mondeAbs->valeur[i]));
    }
}

TEST_F(TLiaisonSimTest, LectureDAbsorbance)
{
    demarre();
    connecte();
    hote_.fenetreCinetique = std::make_unique<TCinetiqueEssai>();
    hote_.fenetreCinetique->acquisition = true;
    liaison_.setLambda(500);
    liaison_.setZero();
    EXPECT_TRUE(hote_.fenetreCinetique->lambdaFait);
    EXPECT_TRUE(hote_.fenetreCinetique->blancFait);
    echangeTermine();
    sim_->videJournal();
    liaison_.demandeAbs();
    ASSERT_TRUE(attendFin());
    const std::vector<TJeton> j = echangeTermine();
    ASSERT_EQ(j.size(), 10U);
    EXPECT_EQ(std::vector<TJeton>(j.begin(), j.begin() + 6),
              (std::vector<TJeton>{P("ENQ"), I("ACK"), P("d+NUL"), I("ACK"), I("ENQ"), P("ACK")}));
    EXPECT_EQ(j[7], P("ACK"));
    EXPECT_EQ(std::vector<TJeton>(j.begin() + 8, j.end()), (std::vector<TJeton>{I("EOT"), P("ACK")}));
    ASSERT_EQ(hote_.fenetreCinetique->absorbances.size(), 1U);
    EXPECT_FALSE(hote_.absEdit.isEmpty());
    EXPECT_NEAR(hote_.fenetreCinetique->absorbances[0], hote_.absEdit.toDouble(), 1e-12);
    EXPECT_EQ(liaison_.iCourant, 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// An instrument that never answers: after the virtual five seconds the
// operation reports it and leaves the state for Stop, as the window expects.
TEST_F(TLiaisonSimTest, InstrumentMuet)
{
    struct Cas {
        const char* nom;
        std::function<void(TLiaison&)> operation;
        TEtatSpectre etat;
    };
    TConfigInstrument cfg;
    cfg.muet = true;
    demarre(cfg);
    liaison_.setDureePasse(1);
    connecte();
    const Cas cas[] = {
        {"setLambda", [](TLiaison& l) { l.setLambda(500); }, TEtatSpectre::esEcriture},
        {"setZero", [](TLiaison& l) { l.setZero(); }, TEtatSpectre::esEcriture},
        {"demandeAbs", [](TLiaison& l) { l.demandeAbs(); }, TEtatSpectre::esLectureAbs},
    };
    for (const Cas& c : cas) {
        passes_ = 0;
        c.operation(liaison_);
        EXPECT_EQ(hote_.statut, u"Pas de réponse à Enquiry"_s) << c.nom;
        EXPECT_EQ(liaison_.etatSpectre, c.etat) << c.nom;
        EXPECT_TRUE(liaison_.estOccupe()) << c.nom;
        EXPECT_GE(passes_, 50) << c.nom;
        EXPECT_LE(passes_, 51) << c.nom;
        liaison_.StopBtnClick();
        EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
        EXPECT_FALSE(liaison_.estOccupe());
    }
    // The scan: set-up and start both fail, only Stop brings the window back.
    EXPECT_FALSE(lanceBalayage(500, 800, 2));
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esSpectreEnCours);
    EXPECT_EQ(hote_.statut, u"Pas de réponse à Enquiry"_s);
    EXPECT_FALSE(blanc(500, 800));
}

TEST_F(TLiaisonSimTest, NAKPuisACK)
{
    struct Cas {
        int naks;
        bool accepte;
        int enq;
    };
    for (const Cas c : {Cas{3, true, 4}, Cas{7, false, 7}}) {
        TConfigInstrument cfg;
        cfg.nakAvantAck = c.naks;
        demarre(cfg);
        connecte();
        sim_->videJournal();
        EXPECT_EQ(blanc(500, 800), c.accepte) << c.naks;
        const auto enq = [&] {
            const std::vector<TJeton> j = jetons(sim_->journal());
            return std::count(j.begin(), j.end(), P("ENQ"));
        };
        attendQue([&] { return enq() >= c.enq; }, 2000);
        laissePasser();
        EXPECT_EQ(enq(), c.enq) << c.naks;
        if (!c.accepte) {
            EXPECT_EQ(hote_.statut, u"Pas de réponse à Enquiry"_s);
        }
        liaison_.ConnectBtnClick(false);
        sim_.reset();
    }
}

TEST_F(TLiaisonSimTest, SansFinJusquAStop)
{
    TConfigInstrument cfg;
    cfg.sansFin = true;
    demarre(cfg);
    connecte();
    aChaquePasse_ = [&](int passe) {
        if (passe % 20 == 0) liaison_.StopBtnClick();
    };
    EXPECT_FALSE(blanc(500, 800));
    EXPECT_EQ(hote_.messages.last(), u"Pas de réponse à c8000,5000"_s);
    passes_ = 0;
    EXPECT_FALSE(lanceBalayage(500, 800, 2));
    EXPECT_EQ(hote_.messages.last(), u"f600 non effectuée"_s);
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
    EXPECT_FALSE(liaison_.estOccupe());
}

// Stray control bytes and garbage text between lines, or lines longer than
// 255 characters (numbers first): the scan gives the very points of a clean
// one with the same seed.
TEST_F(TLiaisonSimTest, LignesAbimees)
{
    struct Resultat {
        int points;
        std::vector<double> x, a;
    };
    const auto balayage = [&](bool parasites, bool longues) {
        TConfigInstrument cfg;
        cfg.parasites = parasites;
        cfg.lignesLongues = longues;
        demarre(cfg);
        connecte();
        liaison_.dernierCarac.vide();
        EXPECT_TRUE(lanceBalayage(500, 600, 2));
        EXPECT_TRUE(attendFin());
        liaison_.ConnectBtnClick(false);
        sim_.reset();
        const int n = graphe_.nbrePoints;
        return Resultat{n, {graphe_.mondeX->valeur.begin(), graphe_.mondeX->valeur.begin() + n},
                        {graphe_.mondeAbs->valeur.begin(), graphe_.mondeAbs->valeur.begin() + n}};
    };
    const Resultat propre = balayage(false, false);
    ASSERT_GT(propre.points, 100);
    const Resultat abime = balayage(true, false);
    for (int c : {13, 10, 3}) EXPECT_TRUE(liaison_.dernierCarac.contient(c)) << c;
    const Resultat long_ = balayage(false, true);
    for (const Resultat* r : {&abime, &long_}) {
        EXPECT_EQ(r->points, propre.points);
        EXPECT_EQ(r->x, propre.x);
        EXPECT_EQ(r->a, propre.a);
    }
}

// 2100 lines for a store of 2001: the first 2001 are kept, every line is
// acknowledged so the instrument can end, and the user is told once.
TEST_F(TLiaisonSimTest, PlusDePointsQueDePlaces)
{
    TConfigInstrument cfg;
    cfg.pointsForces = 2100;
    demarre(cfg);
    connecte();
    sim_->videJournal();
    ASSERT_TRUE(lanceBalayage(190, 1100, 4));
    ASSERT_TRUE(attendFin(60000));
    const std::vector<TJeton> j = echangeTermine();
    EXPECT_EQ(lignesRecues(j), 2100);
    EXPECT_EQ(graphe_.nbrePoints, 2001);
    EXPECT_EQ(liaison_.iCourant, 2001);
    EXPECT_EQ(hote_.messages.count(TLiaison::texteCapacite), 1);
    EXPECT_EQ(j.back(), P("ACK"));
    EXPECT_EQ(j[j.size() - 2], I("EOT"));
}

TEST_F(TLiaisonSimTest, RaccrochageEnCoursDeBalayage)
{
    TConfigInstrument cfg;
    cfg.raccrocheApresPoints = 40;
    demarre(cfg);
    connecte();
    ASSERT_TRUE(lanceBalayage(500, 800, 2));
    ASSERT_TRUE(attendQue([&] { return liaison_.liaisonPerdue(); }, 20000));
    laissePasser(50);
    EXPECT_EQ(graphe_.nbrePoints, 40);
    EXPECT_EQ(liaison_.etatSpectre, TEtatSpectre::esAttente);
    EXPECT_EQ(hote_.statut, TLiaison::textePerte);
    EXPECT_FALSE(liaison_.VoieSerie.Open());
    EXPECT_FALSE(liaison_.estOccupe());
    EXPECT_TRUE(hote_.erreurs.isEmpty());
}

TEST_F(TLiaisonSimTest, RaccrochagePendantUneAttente)
{
    TConfigInstrument cfg;
    cfg.sansFin = true;
    demarre(cfg);
    connecte();
    aChaquePasse_ = [&](int passe) {
        if (passe == 10) sim_->raccroche();
    };
    EXPECT_FALSE(blanc(500, 800));
    EXPECT_LT(passes_, 30);
    EXPECT_EQ(hote_.statut, TLiaison::textePerte);
}

} // namespace

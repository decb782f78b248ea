#include "sim/TInstrument.h"

#include "sim/Balayage.h"
#include "sim/CommandesInstrument.h"
#include "sim/FormatLignes.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

namespace {

constexpr std::uint8_t NUL = 0x00;
constexpr std::uint8_t EOT = 0x04;
constexpr std::uint8_t ENQ = 0x05;
constexpr std::uint8_t ACK = 0x06;
constexpr std::uint8_t NAK = 0x15;

constexpr std::size_t longueurMaxCommande = 255;
constexpr std::size_t longueurLigneLongue = 300;
// The grating turns at this many nanometres per second between wavelengths.
constexpr double vitesseReseau = 1000.0;

bool imprimable(std::uint8_t octet)
{
    return octet >= 32 && octet < 127;
}

// Bytes by which the program shows it has given up on the current operation.
bool reprendLaMain(std::uint8_t octet)
{
    return octet == ENQ || octet == NUL || imprimable(octet);
}

// The commands whose results come back as reply lines, between an ENQ and an EOT.
bool commandeDeMesure(char code)
{
    return code == 'f' || code == 'd';
}

// Bounds a wait asked for in seconds: a negative or NaN delay is no delay, and
// a huge one (a mistyped delay, a time factor of 1e300) must still fit the
// clock, since a few years are as good as forever here.
constexpr double attenteMaximale = 1e8;

TLigneInstrument::Instant apres(double secondes)
{
    secondes = secondes > 0.0 ? std::min(secondes, attenteMaximale) : 0.0;
    const auto duree = std::chrono::duration<double>(secondes);
    return TLigneInstrument::Horloge::now()
           + std::chrono::duration_cast<TLigneInstrument::Horloge::duration>(duree);
}

} // namespace

TInstrument::TInstrument(const TConfigInstrument& config, TJournalFil& journal)
    : configPartagee_(config), nakRestants_(config.nakAvantAck), journal_(journal),
      config_(config), modele_(config.graine), aleaParasites_(config.graine)
{
}

void TInstrument::setConfig(const TConfigInstrument& config)
{
    const std::lock_guard verrou(mutex_);
    configPartagee_ = config;
    nakRestants_ = config.nakAvantAck;
}

TConfigInstrument TInstrument::config() const
{
    const std::lock_guard verrou(mutex_);
    return configPartagee_;
}

void TInstrument::tourne(TLigneInstrument& ligne)
{
    ligne_ = &ligne;
    origineCinetique_ = TLigneInstrument::Horloge::now();
    prendConfig();
    for (;;) traite(*ligne.lit(std::nullopt));
}

void TInstrument::prendConfig()
{
    const TConfigInstrument nouvelle = config();
    if (nouvelle.graine != config_.graine) {
        modele_.reensemence(nouvelle.graine);
        aleaParasites_.seed(nouvelle.graine);
    }
    config_ = nouvelle;
    ligne_->setRapide(config_.rapide);
}

// A command is the printable bytes received since the last NUL.
void TInstrument::traite(std::uint8_t octet)
{
    if (octet == ENQ) {
        prendConfig();
        repond();
    } else if (octet == NUL && !commande_.empty()) {
        const std::string texte = std::move(commande_);
        commande_.clear();
        journal_.ajouteCommande(texte);
        prendConfig();
        if (!repond() || config_.sansFin) return;
        try {
            execute(texte);
        } catch (const Interruption&) {
        }
    } else if (imprimable(octet) && commande_.size() < longueurMaxCommande) {
        commande_ += static_cast<char>(octet);
    }
}

// The answer to a transmission of the program; true when it was acknowledged.
bool TInstrument::repond()
{
    if (config_.muet) return false;
    bool refuse = false;
    {
        const std::lock_guard verrou(mutex_);
        if (nakRestants_ > 0) {
            --nakRestants_;
            refuse = true;
        }
    }
    ligne_->envoie(std::string(1, static_cast<char>(refuse ? NAK : ACK)));
    return !refuse;
}

void TInstrument::execute(const std::string& texte)
{
    const TCommandeInstrument commande = analyseCommande(texte);
    if (config_.sansENQ && commandeDeMesure(commande.code)) return;
    switch (commande.code) {
    case 'c': blanc(commande); break;
    case 'a': reglage(commande); break;
    case 'w': vaA(commande); break;
    case 'x': zero(); break;
    case 'f': balaye(commande); break;
    case 'd': lecture(); break;
    default:
        travaille(0.1);
        termine();
    }
}

// ---- Operations -------------------------------------------------------------

void TInstrument::blanc(const TCommandeInstrument& commande)
{
    const double fin = commande.nombre(0, reglage_.finDixiemes) / 10.0;
    const double debut = commande.nombre(1, reglage_.debutDixiemes) / 10.0;
    travaille(0.5 + deplacement(std::max(fin, debut)) + std::abs(fin - debut) / 100.0);
    modele_.prendBlanc(debut, fin);
    lambda_ = std::min(fin, debut);
    termine();
}

void TInstrument::reglage(const TCommandeInstrument& commande)
{
    reglage_.finDixiemes = commande.nombre(0, reglage_.finDixiemes);
    reglage_.debutDixiemes = commande.nombre(1, reglage_.debutDixiemes);
    reglage_.vitesse = std::clamp(commande.nombre(2, reglage_.vitesse), 1, 5);
    const double depart = std::max(reglage_.finDixiemes, reglage_.debutDixiemes) / 10.0;
    travaille(0.3 + deplacement(depart));
    lambda_ = depart;
    termine();
}

void TInstrument::vaA(const TCommandeInstrument& commande)
{
    const double cible = commande.nombre(0, static_cast<int>(std::lround(lambda_ * 10.0))) / 10.0;
    travaille(0.3 + deplacement(cible));
    lambda_ = cible;
    termine();
}

// Zeroes at the current wavelength, with the solvent in the cell; the dye of
// the kinetics cell starts fading from here.
void TInstrument::zero()
{
    travaille(1.0);
    modele_.faitZero(lambda_);
    origineCinetique_ = TLigneInstrument::Horloge::now();
    termine();
}

void TInstrument::balaye(const TCommandeInstrument& commande)
{
    const std::vector<double> lambdas =
        longueursOndeBalayage(reglage_, commande.nombre(0, 0), config_.pointsForces);
    travaille(0.2 + deplacement(lambdas.front()));
    envoieControle(ENQ);
    attendAck();
    envoiePoints(lambdas);
    termineMesure();
}

void TInstrument::envoiePoints(const std::vector<double>& lambdas)
{
    const double pas = lambdas.size() > 1 ? std::abs(lambdas[0] - lambdas[1]) : 0.0;
    const double intervalle = pas * secondesParNanometre(reglage_.vitesse) * config_.facteurTemps;
    const Instant debut = TLigneInstrument::Horloge::now();
    for (std::size_t k = 0; k <= lambdas.size(); ++k) {
        if (config_.raccrocheApresPoints >= 0
            && k == static_cast<std::size_t>(config_.raccrocheApresPoints))
            ligne_->raccroche();
        if (k == lambdas.size()) break;
        attendJusqua(debut + std::chrono::duration_cast<Instant::duration>(
                                 std::chrono::duration<double>(intervalle * static_cast<double>(k))));
        lambda_ = lambdas[k];
        std::string texte = lignePoint(lambda_, modele_.mesureEchantillon(lambda_));
        if (config_.lignesLongues) texte = allongeLigne(std::move(texte), longueurLigneLongue);
        envoieLigne(texte);
        attendAck();
    }
}

// The extra delay is real time on purpose: a reading that comes late is the
// fault played here, even when facteurTemps has shortened every operation.
void TInstrument::lecture()
{
    travaille(0.3);
    attendJusqua(apres(config_.delaiLecture));
    envoieControle(ENQ);
    attendAck();
    envoieLigne(ligneAbsorbance(modele_.mesureColorant(lambda_, secondesCinetique(), config_.demiVie)));
    attendAck();
    termineMesure();
}

void TInstrument::termine()
{
    envoieControle(EOT);
    attendAck();
}

// With perdEOT the instrument is idle again at once, as if its EOT had gone
// out and been acknowledged: the program is left waiting for an end that
// will never come.
void TInstrument::termineMesure()
{
    if (!config_.perdEOT) termine();
}

// ---- Waiting and sending ------------------------------------------------------

void TInstrument::travaille(double secondes)
{
    attendJusqua(apres(secondes * config_.facteurTemps));
}

// Lets time pass while the program keeps quiet; stray ACKs are ignored.
void TInstrument::attendJusqua(Instant instant)
{
    for (;;) {
        const std::optional<std::uint8_t> octet = ligne_->lit(instant);
        if (!octet) return;
        if (reprendLaMain(*octet)) {
            ligne_->remet(*octet);
            throw Interruption {};
        }
    }
}

void TInstrument::attendAck()
{
    const Instant limite = apres(config_.attenteAck);
    for (;;) {
        const std::optional<std::uint8_t> octet = ligne_->lit(limite);
        if (!octet) throw Interruption {};
        if (*octet == ACK) return;
        if (reprendLaMain(*octet)) {
            ligne_->remet(*octet);
            throw Interruption {};
        }
    }
}

void TInstrument::envoieControle(std::uint8_t octet)
{
    if (config_.parasites) ligne_->envoie(octetsParasites(aleaParasites_));
    ligne_->envoie(std::string(1, static_cast<char>(octet)));
}

// Every reply line goes through here, so that texteReponse replaces points
// and absorbances alike.
void TInstrument::envoieLigne(const std::string& texte)
{
    std::string octets = (config_.texteReponse.empty() ? texte : config_.texteReponse) + '\0';
    if (config_.parasites) {
        octets = octetsParasites(aleaParasites_) + texteParasite(aleaParasites_)
                 + octetsParasites(aleaParasites_) + octets;
        if (aleaParasites_() % 2 == 0) octets += "\r\n";
    }
    ligne_->envoie(octets);
}

double TInstrument::deplacement(double lambda) const
{
    return std::abs(lambda - lambda_) / vitesseReseau;
}

double TInstrument::secondesCinetique() const
{
    return std::chrono::duration<double>(TLigneInstrument::Horloge::now() - origineCinetique_).count();
}

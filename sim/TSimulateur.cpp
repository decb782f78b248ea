#include "sim/TSimulateur.h"

#include "sim/LienSymbolique.h"
#include "sim/TLigneInstrument.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <sys/eventfd.h>
#include <unistd.h>

TSimulateur::TSimulateur(TConfigInstrument cfg) : instrument_(cfg, journal_) {}

TSimulateur::~TSimulateur()
{
    arrete();
}

bool TSimulateur::demarre(const std::string& lien)
{
    if (actif_.load()) {
        fixeErreur("Le simulateur tourne déjà sur " + peripherique());
        return false;
    }
    arreteFil();
    std::string erreur;
    if (!pty_.ouvre(erreur)) {
        fixeErreur(erreur);
        return false;
    }
    if (!lien.empty() && !creeLienSymbolique(lien, pty_.esclave(), erreur)) {
        pty_.ferme();
        fixeErreur(erreur);
        return false;
    }
    reveil_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (reveil_ < 0) {
        fixeErreur(std::string("Création du réveil impossible : ") + std::strerror(errno));
        if (!lien.empty()) retireLienSymbolique(lien, pty_.esclave());
        pty_.ferme();
        return false;
    }
    {
        const std::lock_guard verrou(mutex_);
        peripherique_ = pty_.esclave();
        lien_ = lien;
        erreur_.clear();
    }
    arret_ = false;
    actif_ = true;
    fil_ = std::thread([this] { boucle(); });
    return true;
}

void TSimulateur::boucle()
{
    // Only this thread touches the master until it ends; a hang-up asked by
    // the instrument itself therefore closes the pty from here.
    TLigneInstrument ligne(pty_.maitre(), reveil_, arret_, journal_, [this] { pty_.ferme(); });
    try {
        instrument_.tourne(ligne);
    } catch (const TLigneInstrument::Fin&) {
    } catch (const std::exception& e) {
        fixeErreur(e.what());
    }
    actif_ = false;
}

// Ends the thread (if any) and waits for it; the pty stays as it is.
void TSimulateur::arreteFil()
{
    if (fil_.joinable()) {
        arret_ = true;
        // Should the write fail, the flag is set anyway and the thread sees it
        // at the end of its current wait.
        const std::uint64_t un = 1;
        [[maybe_unused]] const ssize_t n = ::write(reveil_, &un, sizeof un);
        fil_.join();
    }
    if (reveil_ >= 0) ::close(reveil_);
    reveil_ = -1;
    actif_ = false;
}

void TSimulateur::raccroche()
{
    arreteFil();
    pty_.ferme();
}

void TSimulateur::arrete()
{
    raccroche();
    const std::lock_guard verrou(mutex_);
    if (!lien_.empty()) retireLienSymbolique(lien_, peripherique_);
    lien_.clear();
}

void TSimulateur::fixeErreur(const std::string& texte)
{
    const std::lock_guard verrou(mutex_);
    erreur_ = texte;
}

std::string TSimulateur::erreur() const
{
    const std::lock_guard verrou(mutex_);
    return erreur_;
}

std::string TSimulateur::peripherique() const
{
    const std::lock_guard verrou(mutex_);
    return peripherique_;
}

bool TSimulateur::actif() const
{
    return actif_.load();
}

std::vector<TOctetJournal> TSimulateur::journal() const
{
    return journal_.octets();
}

void TSimulateur::videJournal()
{
    journal_.vide();
}

std::vector<std::string> TSimulateur::commandes() const
{
    return journal_.commandes();
}

void TSimulateur::setConfig(const TConfigInstrument& cfg)
{
    instrument_.setConfig(cfg);
}

TConfigInstrument TSimulateur::config() const
{
    return instrument_.config();
}

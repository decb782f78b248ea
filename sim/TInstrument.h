#pragma once

#include "sim/TConfigInstrument.h"
#include "sim/TJournalFil.h"
#include "sim/TLigneInstrument.h"
#include "sim/TModeleOptique.h"
#include "sim/TReglageBalayage.h"

#include <cstdint>
#include <mutex>
#include <random>
#include <string>

struct TCommandeInstrument;

// The spectrophotometer's firmware, as far as the line shows it: answers the
// program's ENQ and commands, runs the six operations and sends their results,
// each ENQ, EOT and reply line waiting for the program's ACK.
//
// A command whose letter it does not know is acknowledged and ended with EOT
// at once, doing nothing, so that a program never waits on it; missing or
// unreadable numbers keep the current settings. While it works or waits for
// an ACK, an ENQ or a command from the program means the program has moved
// on: the operation is dropped and the new transmission answered. An ACK that
// does not come within attenteAck seconds also drops the operation.
class TInstrument {
public:
    TInstrument(const TConfigInstrument& config, TJournalFil& journal);

    // May be called from any thread; takes effect with the next transmission
    // from the program, and restarts the count of NAKs.
    void setConfig(const TConfigInstrument& config);
    TConfigInstrument config() const;

    // Serves the line until it ends (throws TLigneInstrument::Fin).
    void tourne(TLigneInstrument& ligne);

private:
    struct Interruption {};
    using Instant = TLigneInstrument::Instant;

    void traite(std::uint8_t octet);
    void prendConfig();
    bool repond();
    void execute(const std::string& texte);

    void blanc(const TCommandeInstrument& commande);
    void reglage(const TCommandeInstrument& commande);
    void vaA(const TCommandeInstrument& commande);
    void zero();
    void balaye(const TCommandeInstrument& commande);
    void envoiePoints(const std::vector<double>& lambdas);
    void lecture();
    void termine();
    void termineMesure();

    void travaille(double secondes);
    void attendJusqua(Instant instant);
    void attendAck();
    void envoieControle(std::uint8_t octet);
    void envoieLigne(const std::string& texte);
    double deplacement(double lambda) const;
    double secondesCinetique() const;

    mutable std::mutex mutex_;
    TConfigInstrument configPartagee_;
    int nakRestants_ = 0;

    TJournalFil& journal_;
    TLigneInstrument* ligne_ = nullptr;
    TConfigInstrument config_;
    TModeleOptique modele_;
    std::mt19937 aleaParasites_;
    TReglageBalayage reglage_;
    double lambda_ = 500.0;
    Instant origineCinetique_ {};
    std::string commande_;
};

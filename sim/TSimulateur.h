#pragma once

#include "sim/TConfigInstrument.h"
#include "sim/TInstrument.h"
#include "sim/TJournalFil.h"
#include "sim/TOctetJournal.h"
#include "sim/TPseudoTerminal.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A simulated spectrophotometer at the end of a pseudo-terminal: the program
// opens peripherique() (or the symbolic link) as its serial port. The
// instrument runs on a thread of its own.
class TSimulateur {
public:
    explicit TSimulateur(TConfigInstrument cfg = {});
    ~TSimulateur();                          // stops the thread, closes the pty, removes the link
    TSimulateur(const TSimulateur&) = delete;
    TSimulateur& operator=(const TSimulateur&) = delete;

    // Opens a pty, makes the optional symlink to its slave, starts the
    // instrument; false with the reason in erreur(). After a hang-up it may
    // be started again, on a new pty.
    bool demarre(const std::string& lien = {});
    std::string erreur() const;
    std::string peripherique() const;        // slave path, e.g. /dev/pts/7
    // True while the instrument serves its line (false once stopped or hung up).
    bool actif() const;
    void arrete();
    void raccroche();                        // closes the master at once: the program's port is lost
    std::vector<TOctetJournal> journal() const; // every byte on the wire, both directions, in order
    void videJournal();                      // forgets the bytes and the commands so far
    std::vector<std::string> commandes() const; // command texts received (without NUL), in order
    void setConfig(const TConfigInstrument&);   // change fault modes between exchanges
    TConfigInstrument config() const;

private:
    void boucle();
    void arreteFil();
    void fixeErreur(const std::string& texte);

    mutable std::mutex mutex_;
    std::string erreur_;
    std::string peripherique_;
    std::string lien_;

    TJournalFil journal_;
    TInstrument instrument_;
    TPseudoTerminal pty_;
    int reveil_ = -1;
    std::atomic<bool> arret_ {false};
    std::atomic<bool> actif_ {false};
    std::thread fil_;
};

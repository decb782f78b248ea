#pragma once

#include <string>

// The instrument's end of a pseudo-terminal. The program opens the slave
// device as it would open a serial port. The simulator keeps a slave
// descriptor of its own, never read, so that the master does not see a hang-up
// each time the program closes its port and reopens it.
class TPseudoTerminal {
public:
    TPseudoTerminal() = default;
    ~TPseudoTerminal();
    TPseudoTerminal(const TPseudoTerminal&) = delete;
    TPseudoTerminal& operator=(const TPseudoTerminal&) = delete;

    // Opens a new pair (closing any previous one); false with the reason in erreur.
    bool ouvre(std::string& erreur);
    // Closes both ends: whoever holds the slave sees the line hang up.
    void ferme();

    bool ouvert() const { return maitre_ >= 0; }
    int maitre() const { return maitre_; }
    const std::string& esclave() const { return esclave_; }

private:
    bool echoue(std::string& erreur, const std::string& etape);

    int maitre_ = -1;
    int esclaveGarde_ = -1;
    std::string esclave_;
};

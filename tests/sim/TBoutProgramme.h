#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's end of the simulator's line, as a test drives it: plain
// reads and writes on the pty slave in raw mode, each wait bounded.
class TBoutProgramme {
public:
    static constexpr int attenteMs = 3000; // only reached when something is wrong

    TBoutProgramme() = default;
    ~TBoutProgramme();
    TBoutProgramme(const TBoutProgramme&) = delete;
    TBoutProgramme& operator=(const TBoutProgramme&) = delete;

    bool ouvre(const std::string& chemin);
    void ferme();
    void envoie(std::string_view octets);
    // The next byte, or nullopt after delaiMs of silence or when the line is gone.
    std::optional<std::uint8_t> lit(int delaiMs = attenteMs);
    // Everything that arrives until delaiMs pass without a byte.
    std::string recoitJusquAuSilence(int delaiMs);
    // True when the line has been hung up (read gives EIO or end of file).
    bool raccrochee(int delaiMs = attenteMs);

    // ENQ, then the command and its NUL; true when both were acknowledged.
    bool transmet(const std::string& commande);
    // The byte attendu, past stray control bytes; false on anything else.
    bool attend(std::uint8_t attendu);
    // An operation command through to its EOT, which is acknowledged.
    bool opere(const std::string& commande);

    // A measuring command: its ENQ, its lines (each acknowledged) and its
    // EOT, until delaiMs of silence. The lines keep their printable characters
    // only; the control bytes other than NUL seen among them go to controles.
    struct TResultat {
        bool annonce = false; // ENQ received
        bool fini = false;    // EOT received
        std::vector<std::string> lignes;
        std::string controles;
    };
    TResultat mesure(const std::string& commande, int delaiMs = attenteMs);

private:
    int fd_ = -1;
};

// "  500.0   0.1234" split into its two numbers ("." decimal, any locale).
std::optional<std::pair<double, double>> lisPoint(const std::string& ligne);
std::optional<double> lisNombre(std::string_view texte);

#pragma once

#include "sim/TJournalFil.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string_view>

// The instrument's side of the line, used by its thread only: reads the
// program's bytes, sends its own at the wire's pace, and records both. Every
// wait also watches the wake-up descriptor, so that a stop request ends it at
// once by throwing Fin.
class TLigneInstrument {
public:
    using Horloge = std::chrono::steady_clock;
    using Instant = Horloge::time_point;

    // The line is over: stop asked, hang-up, or a descriptor that failed.
    struct Fin {};

    // 9600 baud, 7 data bits, parity, 1 stop bit, plus the start bit: 10 bits
    // per character.
    static constexpr double octetsParSeconde = 960.0;

    TLigneInstrument(int maitre, int reveil, const std::atomic<bool>& arret, TJournalFil& journal,
                     std::function<void()> raccrocher);

    void setRapide(bool rapide) { rapide_ = rapide; }

    // The next byte from the program; nullopt once echeance has passed
    // (no echeance: waits as long as it takes).
    std::optional<std::uint8_t> lit(std::optional<Instant> echeance);
    // Puts a byte back so that the next lit returns it.
    void remet(std::uint8_t octet);
    // Sends the bytes in order; returns once the last one has left.
    void envoie(std::string_view octets);
    // Waits without reading, until the moment or a stop request.
    void patiente(Instant jusqua);
    // Closes the line at once and ends it.
    [[noreturn]] void raccroche();

private:
    bool attend(int fd, short evenements, std::optional<Instant> echeance);
    bool remplit(std::optional<Instant> echeance);
    void ecrit(std::string_view octets);
    void verifieArret() const;

    int maitre_;
    int reveil_;
    const std::atomic<bool>& arret_;
    TJournalFil& journal_;
    std::function<void()> raccrocher_;
    bool rapide_ = false;
    std::deque<std::uint8_t> recus_;
    Instant prochainDepart_ {};
};

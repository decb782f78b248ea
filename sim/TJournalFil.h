#pragma once

#include "sim/TOctetJournal.h"

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

// What crossed the line, written by the instrument's thread and read by
// whoever drives the simulator. Bounded, so that a simulator left running for
// days does not grow without end: past the limit the oldest half goes.
class TJournalFil {
public:
    explicit TJournalFil(std::size_t limite = std::size_t{1} << 22);

    void ajoute(bool versProgramme, std::uint8_t octet);
    void ajouteCommande(const std::string& texte);

    std::vector<TOctetJournal> octets() const;
    std::vector<std::string> commandes() const;
    void vide();

private:
    mutable std::mutex mutex_;
    std::size_t limite_;
    std::vector<TOctetJournal> octets_;
    std::vector<std::string> commandes_;
};

#include "sim/TJournalFil.h"

#include <iterator>

TJournalFil::TJournalFil(std::size_t limite) : limite_(limite < 2 ? 2 : limite) {}

void TJournalFil::ajoute(bool versProgramme, std::uint8_t octet)
{
    const std::lock_guard verrou(mutex_);
    if (octets_.size() >= limite_)
        octets_.erase(octets_.begin(), octets_.begin() + static_cast<std::ptrdiff_t>(limite_ / 2));
    octets_.push_back({versProgramme, octet});
}

void TJournalFil::ajouteCommande(const std::string& texte)
{
    const std::lock_guard verrou(mutex_);
    if (commandes_.size() >= limite_)
        commandes_.erase(commandes_.begin(), commandes_.begin() + static_cast<std::ptrdiff_t>(limite_ / 2));
    commandes_.push_back(texte);
}

std::vector<TOctetJournal> TJournalFil::octets() const
{
    const std::lock_guard verrou(mutex_);
    return octets_;
}

std::vector<std::string> TJournalFil::commandes() const
{
    const std::lock_guard verrou(mutex_);
    return commandes_;
}

void TJournalFil::vide()
{
    const std::lock_guard verrou(mutex_);
    octets_.clear();
    commandes_.clear();
}

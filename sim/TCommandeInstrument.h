#pragma once

#include <optional>
#include <vector>

// A command text as the instrument understands it: its letter and the
// integers that follow it, separated by commas. A number that cannot be read
// is absent (nullopt), and the instrument then keeps its current setting.
struct TCommandeInstrument {
    char code = '\0';
    std::vector<std::optional<int>> nombres;

    // The i-th number, or valeurParDefaut when it is absent or unreadable.
    int nombre(std::size_t i, int valeurParDefaut) const
    {
        return i < nombres.size() && nombres[i] ? *nombres[i] : valeurParDefaut;
    }
};

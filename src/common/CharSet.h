#pragma once

#include <bitset>
#include <cstdint>

// A set of byte values, one bit per value: the control characters received
// since the last transmission.
class CharSet {
public:
    void ajoute(std::uint8_t c) { bits_.set(c); }
    bool contient(std::uint8_t c) const { return bits_.test(c); }
    void vide() { bits_.reset(); }
    bool estVide() const { return bits_.none(); }

private:
    std::bitset<256> bits_;
};

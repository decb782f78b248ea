#pragma once

#include <cstdint>

// One byte seen on the line by the instrument, with its direction.
struct TOctetJournal {
    bool versProgramme; // true: sent by the instrument; false: received from the program
    std::uint8_t octet;
};

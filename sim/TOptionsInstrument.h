#pragma once

#include "sim/TConfigInstrument.h"

#include <string>

// What the command line of lumko-instrument asks for.
struct TOptionsInstrument {
    TConfigInstrument config;
    std::string lien;   // --link PATH
    bool aide = false;  // --help
    std::string erreur; // not empty: the command line is wrong, and why
};

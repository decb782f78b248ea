#pragma once

#include "sim/TCommandeInstrument.h"

#include <string_view>

// Splits a command text ("a8000,5000,3") into its letter and numbers. An
// empty text gives the code '\0'.
TCommandeInstrument analyseCommande(std::string_view texte);

// True for the six commands the instrument knows: c, a, f, w, x, d.
bool commandeConnue(char code);

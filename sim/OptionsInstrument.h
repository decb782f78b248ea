#pragma once

#include "sim/TOptionsInstrument.h"

#include <string>
#include <vector>

// The command line of lumko-instrument, without the program name.
TOptionsInstrument analyseOptions(const std::vector<std::string>& arguments);

// The text of --help: how to start the simulator and point Lumko at it.
std::string texteAide();

#pragma once

#include <cstddef>
#include <random>
#include <string>

// The reply lines of the simulated instrument, without their NUL. Numbers
// always use "." whatever the locale of the process.

// "  500.0   0.1234": wavelength in nm with one decimal in 7 columns,
// absorbance with four decimals in the next 9.
std::string lignePoint(double lambda, double absorbance);

// " 0.1234": absorbance with four decimals in 7 columns.
std::string ligneAbsorbance(double absorbance);

// The line followed by a blank and filler up to longueur characters, so that
// the numbers stay in front.
std::string allongeLigne(std::string ligne, std::size_t longueur);

// One to three stray control bytes among CR, LF, STX, ETX and BEL (never one
// of the protocol's NUL, EOT, ENQ, ACK, NAK).
std::string octetsParasites(std::mt19937& alea);

// One to six printable characters holding neither digits nor signs, so that
// no number can be read out of them.
std::string texteParasite(std::mt19937& alea);

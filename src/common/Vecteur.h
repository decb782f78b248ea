#pragma once

#include <array>
#include <cstdint>

// A curve holds at most 2001 points, indices 0 to 2000. The point count uses
// the same 16-bit type and reaches 2001 when the last slot is filled.
using indiceVecteur = std::uint16_t;

inline constexpr int tailleVecteur = 2001;
inline constexpr int indiceMaxVecteur = tailleVecteur - 1;

using Tvecteur = std::array<double, tailleVecteur>;

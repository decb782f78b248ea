#pragma once

#include <cstdint>

// The answer timer counts ticks of 55 ms of a 32-bit millisecond counter, as
// the instrument's documentation states its time limits.
inline constexpr std::uint32_t msParTic = 55;
inline constexpr std::uint32_t ticsReponse = 90;

// Tick boundaries crossed from debutMs to maintenantMs: the same as the
// difference of the two counts divided by 55, but still right when the
// counter has wrapped in between (after 49.7 days).
std::uint32_t ticsEcoules(std::uint32_t debutMs, std::uint32_t maintenantMs);

// The answer timer started at debutMs has run out: more than 90 ticks.
bool delaiReponseEcoule(std::uint32_t debutMs, std::uint32_t maintenantMs);

// Milliseconds of a monotonic clock, truncated to 32 bits.
std::uint32_t horlogeSysteme();

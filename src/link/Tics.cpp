#include "link/Tics.h"

#include <chrono>

std::uint32_t ticsEcoules(std::uint32_t debutMs, std::uint32_t maintenantMs)
{
    const std::uint64_t ecoule = static_cast<std::uint32_t>(maintenantMs - debutMs);
    return static_cast<std::uint32_t>((debutMs % msParTic + ecoule) / msParTic);
}

bool delaiReponseEcoule(std::uint32_t debutMs, std::uint32_t maintenantMs)
{
    return ticsEcoules(debutMs, maintenantMs) > ticsReponse;
}

std::uint32_t horlogeSysteme()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);
}

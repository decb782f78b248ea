#include "link/Tics.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(Tics, TicsEcoulesCommeLaDifferenceDesComptes)
{
    struct Cas {
        std::uint32_t debut, maintenant, tics;
    };
    const Cas cas[] = {
        {0, 54, 0}, {0, 55, 1}, {54, 55, 1}, {10, 54, 0}, {10, 55, 1}, {0, 4950, 90}, {0, 5005, 91},
        // 0xFFFFFFF0 is 10 ms into a tick; 44 and 45 ms later, across the wrap.
        {0xFFFFFFF0u, 0x0000001Cu, 0}, {0xFFFFFFF0u, 0x0000001Du, 1},
        {0xFFFFFF00u, 0xFFFFFF00u + 5005u, 91},
    };
    for (const Cas& c : cas) EXPECT_EQ(ticsEcoules(c.debut, c.maintenant), c.tics) << c.debut << " " << c.maintenant;
}

// Between 4.95 s and 5.0 s after the start, whatever the phase of the tick.
TEST(Tics, DelaiDeReponse)
{
    for (std::uint32_t debut : {0u, 30u, 54u, 0xFFFFFFFFu - 2000u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(delaiReponseEcoule(debut, debut + 4949)) << debut;
        EXPECT_TRUE(delaiReponseEcoule(debut, debut + 5005)) << debut;
        std::uint32_t ms = 0;
        while (!delaiReponseEcoule(debut, debut + ms)) ++ms;
        EXPECT_GE(ms, 4951u) << debut;
        EXPECT_LE(ms, 5005u) << debut;
    }
}

} // namespace

#include "sim/TLigneInstrument.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

double secondesProcesseurDuFil()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A master whose slave was closed by its last holder reports a hang-up at
// every poll.
class LigneMorte : public ::testing::Test {
protected:
    void SetUp() override
    {
        maitre_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(maitre_, 0);
        ASSERT_EQ(::grantpt(maitre_), 0);
        ASSERT_EQ(::unlockpt(maitre_), 0);
        ASSERT_EQ(::fcntl(maitre_, F_SETFL, O_NONBLOCK), 0);
        // The hang-up shows once the last holder of the slave has closed it.
        const int esclave = ::open(::ptsname(maitre_), O_RDWR | O_NOCTTY);
        ASSERT_GE(esclave, 0);
        ::close(esclave);
        reveil_ = ::eventfd(0, EFD_NONBLOCK);
        ASSERT_GE(reveil_, 0);
    }
    void TearDown() override
    {
        ::close(maitre_);
        ::close(reveil_);
    }

    int maitre_ = -1;
    int reveil_ = -1;
    std::atomic<bool> arret_ {false};
    TJournalFil journal_;
};

// A line in hang-up is looked at a few times per second, not spun on.
TEST_F(LigneMorte, AttendSansTournerAVide)
{
    TLigneInstrument ligne(maitre_, reveil_, arret_, journal_, [] {});
    const double avant = secondesProcesseurDuFil();
    EXPECT_EQ(ligne.lit(TLigneInstrument::Horloge::now() + 300ms), std::nullopt);
    EXPECT_LT(secondesProcesseurDuFil() - avant, 0.05);
}

TEST_F(LigneMorte, LArretTermineLesAttentes)
{
    bool raccroche = false;
    TLigneInstrument ligne(maitre_, reveil_, arret_, journal_, [&] { raccroche = true; });
    arret_ = true;
    EXPECT_THROW(ligne.lit(std::nullopt), TLigneInstrument::Fin);
    EXPECT_THROW(ligne.patiente(TLigneInstrument::Horloge::now() + 10s), TLigneInstrument::Fin);
    EXPECT_THROW(ligne.raccroche(), TLigneInstrument::Fin);
    EXPECT_TRUE(raccroche);
}

TEST_F(LigneMorte, UnOctetRemisRevientDAbord)
{
    TLigneInstrument ligne(maitre_, reveil_, arret_, journal_, [] {});
    ligne.remet(0x05);
    EXPECT_EQ(ligne.lit(TLigneInstrument::Horloge::now()), 0x05);
}

} // namespace

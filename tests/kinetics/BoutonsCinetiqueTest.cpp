// The kinetics window's refresh as a rule: no window, no instrument.
#include "kinetics/BoutonsCinetique.h"

#include <gtest/gtest.h>

namespace {

struct TCas {
    const char* nom;
    TFaitsCinetique faits;
    bool lancer, stop, instrument, reglages, raz;
};

void PrintTo(const TCas& c, std::ostream* os)
{
    *os << c.nom;
}

const TCas cas[] = {
    {"pret", {true, true, false, false, 0}, true, false, true, true, false},
    // A wait of the link outside a run: only Stop, which ends it.
    {"attenteHorsRun", {true, true, false, true, 0}, false, true, false, true, false},
    {"longueurDOndeEnCours", {false, false, false, true, 0}, false, true, false, true, false},
    // In a run "Lancer" stays (a new run at once), whatever the link does.
    {"runEtLecture", {true, true, true, true, 20}, true, true, false, false, false},
    {"runFinie", {true, true, false, false, 20}, true, false, true, true, true},
};

} // namespace

class BoutonsCinetique : public ::testing::TestWithParam<TCas> {};

TEST_P(BoutonsCinetique, regle)
{
    const TCas& c = GetParam();
    const TBoutonsCinetique b = boutonsCinetique(c.faits);
    EXPECT_EQ(b.lancer, c.lancer);
    EXPECT_EQ(b.stop, c.stop);
    EXPECT_EQ(b.instrument, c.instrument);
    EXPECT_EQ(b.reglages, c.reglages);
    EXPECT_EQ(b.raz, c.raz);
    EXPECT_EQ(b.repere, c.faits.acquisition);
    EXPECT_EQ(b.sauver, c.faits.nbrePoints > 10);
}

INSTANTIATE_TEST_SUITE_P(Cas, BoutonsCinetique, ::testing::ValuesIn(cas),
                         [](const auto& info) { return std::string(info.param.nom); });

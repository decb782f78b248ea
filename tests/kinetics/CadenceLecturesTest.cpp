// What each tick of a run does, as a rule: no window, no clock, no instrument.
#include "kinetics/TCadenceLectures.h"

#include <gtest/gtest.h>

namespace {

using A = TCadenceLectures::TAction;

struct TCas {
    const char* nom;
    bool demandee;        // a reading of ours was asked for at 10 s
    qint64 maintenantMs;  // the tick, run started at 0 (240 s, steps of 2 s)
    bool lienOccupe;
    bool transfert;
    A action;
};

void PrintTo(const TCas& c, std::ostream* os)
{
    *os << c.nom;
}

const TCas cas[] = {
    {"lienLibre", true, 12000, false, false, A::eDemande},
    {"lectureDansSaBorne", true, 19999, true, false, A::eRien},
    {"lectureHorsBorne", true, 20000, true, false, A::eAbandonne},
    // The main window's own command is the user's to stop, not ours.
    {"commandeDeLaFenetrePrincipale", false, 60000, true, false, A::eRien},
    {"transfertEnCours", true, 60000, false, true, A::eRien},
    {"transfertEtLectureHorsBorne", true, 60000, true, true, A::eRien},
    // The last reading may come one step after the duration; later, the run ends.
    {"derniereLectureAttendue", false, 242999, false, false, A::eDemande},
    {"dureeDepassee", false, 243000, false, false, A::eTermine},
    {"dureeDepasseePendantUnTransfert", true, 243000, true, true, A::eTermine},
};

} // namespace

class CadenceLectures : public ::testing::TestWithParam<TCas> {};

TEST_P(CadenceLectures, decideChaqueTic)
{
    const TCas& c = GetParam();
    TCadenceLectures cadence;
    cadence.commence(0);
    if (c.demandee) cadence.demandee(10000);
    EXPECT_EQ(cadence.decide(c.maintenantMs, c.lienOccupe, c.transfert, 240, 2, 2000), c.action);
}

INSTANTIATE_TEST_SUITE_P(Cas, CadenceLectures, ::testing::ValuesIn(cas),
                         [](const auto& info) { return std::string(info.param.nom); });

TEST(CadenceLecturesBorne, laPlusLongueDeDixSecondesEtDeDeuxPas)
{
    EXPECT_EQ(TCadenceLectures::delaiLectureMs(1000), 10000);
    EXPECT_EQ(TCadenceLectures::delaiLectureMs(30000), 60000);
}

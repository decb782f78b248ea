// The main window's refresh as a rule: no window, no instrument.
#include "spectrum/BoutonsSpectre.h"

#include <gtest/gtest.h>

namespace {

using E = TEtatSpectre;

struct TCas {
    const char* nom;
    TFaitsSpectre faits;
    bool blanc, spectre, stop, sauver, verification;
    const char* etat;
};

void PrintTo(const TCas& c, std::ostream* os)
{
    *os << c.nom;
}

const TCas cas[] = {
    {"auRepos", {true, E::esAttente, false, true, true, 201}, true, true, false, true, true, "Cliquer sur sauver"},
    // The link waits (an EOT out of order left the state idle, or a
    // kinetics reading runs): nothing starts a second command, Stop is there.
    {"lienOccupeEtatRepos", {true, E::esAttente, true, true, true, 201}, false, false, true, true, false, "Cliquer sur sauver"},
    {"lectureDeLaCinetique", {true, E::esLectureAbs, true, true, false, 0}, false, false, true, false, false, ""},
    // A new scan starts with the previous curve's count: not yet to be saved.
    {"balayageDebut", {true, E::esSpectreEnCours, true, true, true, 201}, false, false, true, false, false, "Spectre en cours"},
    {"balayageSansEOT", {true, E::esSpectreEnCours, false, true, true, 201}, false, false, true, false, false, "Spectre en cours"},
    {"blanc", {true, E::esBlancEnCours, true, false, false, 0}, false, false, true, false, false, "Blanc en cours"},
    {"ferme", {false, E::esAttente, false, false, false, 0}, false, false, false, false, false, ""},
};

} // namespace

class BoutonsSpectre : public ::testing::TestWithParam<TCas> {};

TEST_P(BoutonsSpectre, regle)
{
    const TCas& c = GetParam();
    const TBoutonsSpectre b = boutonsSpectre(c.faits);
    EXPECT_EQ(b.blanc, c.blanc);
    EXPECT_EQ(b.spectre, c.spectre);
    EXPECT_EQ(b.stop, c.stop);
    EXPECT_EQ(b.sauver, c.sauver);
    EXPECT_EQ(b.verification, c.verification);
    EXPECT_EQ(b.etat, QString::fromUtf8(c.etat));
    EXPECT_EQ(b.invite, c.faits.ouvert ? QString() : QStringLiteral("Cliquer sur connecter"));
}

INSTANTIATE_TEST_SUITE_P(Cas, BoutonsSpectre, ::testing::ValuesIn(cas),
                         [](const auto& info) { return std::string(info.param.nom); });

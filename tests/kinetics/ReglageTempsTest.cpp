// The time step, the count and the duration of a run, without any window.
#include "kinetics/TReglageTemps.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

using EEffet = TReglageTemps::EEffet;

TReglageTemps reglage(int nombre, int pas)
{
    TReglageTemps r;
    EXPECT_TRUE(r.depuisReglages(nombre, pas));
    EXPECT_EQ(r.NbreMax(), nombre);
    return r;
}

// The 39 values, walked up by the arrows from 10 and back down.
TEST(ReglageTemps, LesFlechesDuNombreParcourentLaGrille)
{
    std::vector<int> grille;
    for (int n = 10; n <= 29; ++n) grille.push_back(n);
    for (int n = 30; n <= 80; n += 10) grille.push_back(n);
    for (int n = 90; n <= 270; n += 30) grille.push_back(n);
    for (int n = 300; n <= 600; n += 60) grille.push_back(n);
    ASSERT_EQ(grille.size(), 39U);

    TReglageTemps r = reglage(10, 2);
    std::vector<int> montee{r.NbreMax()};
    while (r.NbreMax() < 600) {
        ASSERT_TRUE(r.nombreHaut());
        montee.push_back(r.NbreMax());
    }
    EXPECT_EQ(montee, grille);
    EXPECT_EQ(r.DeltatMesure(), 2);

    std::vector<int> descente{r.NbreMax()};
    while (r.NbreMax() > 10) {
        ASSERT_TRUE(r.nombreBas());
        descente.insert(descente.begin(), r.NbreMax());
    }
    EXPECT_EQ(descente, grille);
    ASSERT_TRUE(r.nombreBas());
    EXPECT_EQ(r.NbreMax(), 10) << "Down at 10 stays at 10";
}

// Up at 600 keeps 600 and lengthens the step instead, past 60 s as well.
TEST(ReglageTemps, HautA600AllongeLePas)
{
    TReglageTemps r = reglage(600, 60);
    ASSERT_TRUE(r.nombreHaut());
    EXPECT_EQ(r.NbreMax(), 600);
    EXPECT_EQ(r.DeltatMesure(), 61);
    EXPECT_EQ(r.DureeMesure(), 36600);
    EXPECT_EQ(r.periodeMs(), 61000);
}

struct CasNombre {
    int nombre;
    int attendu;
    int pasAttendu;
};

void PrintTo(const CasNombre& c, std::ostream* os)
{
    *os << c.nombre;
}

class NombreTape : public ::testing::TestWithParam<CasNombre> {};

TEST_P(NombreTape, SuitLaRegle)
{
    const CasNombre c = GetParam();
    TReglageTemps r = reglage(120, 2);
    ASSERT_TRUE(r.ajusteNombre(c.nombre));
    EXPECT_EQ(r.NbreMax(), c.attendu);
    EXPECT_EQ(r.DeltatMesure(), c.pasAttendu);
    EXPECT_EQ(r.DureeMesure(), c.attendu * c.pasAttendu);
}

INSTANTIATE_TEST_SUITE_P(ReglageTemps, NombreTape,
                         ::testing::Values(CasNombre{95, 90, 2}, CasNombre{305, 300, 2}, CasNombre{5, 10, 2},
                                           CasNombre{1000, 600, 3}, CasNombre{12, 12, 2},
                                           CasNombre{-4, 10, 2}, CasNombre{359, 300, 2},
                                           CasNombre{89, 80, 2}));

struct CasPas {
    const char* nom;
    int nombre;
    int pas;
    bool enCours;
    int points;
    int nombreAttendu;
    int pasAttendu;
    EEffet effet;
};

void PrintTo(const CasPas& c, std::ostream* os)
{
    *os << c.nom;
}

class FlechesDuPas : public ::testing::TestWithParam<CasPas> {};

TEST_P(FlechesDuPas, ChangentLePasOuLeNombre)
{
    const CasPas c = GetParam();
    TReglageTemps r = reglage(c.nombre, c.pas);
    EXPECT_EQ(r.pasHaut(c.enCours, c.points), c.effet) << c.nom;
    EXPECT_EQ(r.NbreMax(), c.nombreAttendu) << c.nom;
    EXPECT_EQ(r.DeltatMesure(), c.pasAttendu) << c.nom;
}

INSTANTIATE_TEST_SUITE_P(
    ReglageTemps, FlechesDuPas,
    ::testing::Values(
        CasPas{"hors acquisition", 120, 2, false, 0, 120, 3, EEffet::eApplique},
        CasPas{"hors acquisition a 60 s", 120, 60, false, 0, 120, 60, EEffet::eApplique},
        CasPas{"en cours 120 -> 180", 120, 2, true, 50, 180, 2, EEffet::eApplique},
        CasPas{"en cours 300 -> 450 -> 420", 300, 2, true, 50, 420, 2, EEffet::eApplique},
        CasPas{"en cours 270 -> 405 -> 360", 270, 2, true, 50, 360, 2, EEffet::eApplique},
        CasPas{"en cours 600, 300 points", 600, 2, true, 300, 600, 3, EEffet::eApplique},
        CasPas{"en cours 600, 350 points", 600, 2, true, 350, 600, 3, EEffet::eEclaircir},
        CasPas{"en cours 600 a 70 s", 600, 70, true, 10, 600, 71, EEffet::eApplique}));

TEST(ReglageTemps, BasRaccourcitLePasPuisLeNombre)
{
    struct Cas {
        int nombre;
        int pas;
        int nombreAttendu;
        int pasAttendu;
    };
    const Cas cas[] = {{120, 3, 120, 2}, {600, 2, 360, 2}, {120, 2, 80, 2},
                       {15, 2, 10, 2},   {10, 2, 10, 2},   {120, 1, 80, 1}};
    for (const Cas& c : cas) {
        TReglageTemps r = reglage(c.nombre, c.pas);
        EXPECT_TRUE(r.pasBas());
        EXPECT_EQ(r.NbreMax(), c.nombreAttendu) << c.nombre << " x " << c.pas;
        EXPECT_EQ(r.DeltatMesure(), c.pasAttendu) << c.nombre << " x " << c.pas;
    }
}

// Past 65535 s nothing changes: no wrapped duration, no thinning.
TEST(ReglageTemps, UneDureeAuDelaDe65535sEstRefusee)
{
    TReglageTemps r = reglage(600, 109);
    EXPECT_EQ(r.DureeMesure(), 65400);
    EXPECT_EQ(r.pasHaut(true, 500), EEffet::eRefuse);
    EXPECT_FALSE(r.nombreHaut());
    EXPECT_FALSE(r.ajusteNombre(700));
    EXPECT_EQ(r.NbreMax(), 600);
    EXPECT_EQ(r.DeltatMesure(), 109);
    EXPECT_EQ(r.DureeMesure(), 65400);

    TReglageTemps s = reglage(300, 200);
    EXPECT_FALSE(s.ajusteNombre(360));
    EXPECT_EQ(s.NbreMax(), 300);
    EXPECT_EQ(s.pasHaut(false, 0), EEffet::eApplique) << "200 s is above the arrows' 60 s: no change";
    EXPECT_EQ(s.DeltatMesure(), 200);
}

TEST(ReglageTemps, LesReglagesLusSontBornes)
{
    struct Cas {
        int nombre;
        int pas;
        bool entiers;
        int nombreAttendu;
        int pasAttendu;
    };
    const Cas cas[] = {
        {120, 2, true, 120, 2},
        {120, 0, true, 120, 1},       // "très rapide" left 0 in the shared key
        {1000, 9, true, 600, 10},
        {600, 200, false, 300, 200},  // 120000 s: the largest count that fits
        {1000, 200, false, 300, 201},
        {120, 65536 + 4, true, 120, 4},  // the low 16 bits
        {120, 65535, false, 10, 6553},
        {120, -1, false, 10, 6553},
    };
    for (const Cas& c : cas) {
        TReglageTemps r;
        EXPECT_EQ(r.depuisReglages(c.nombre, c.pas), c.entiers) << c.nombre << " x " << c.pas;
        EXPECT_EQ(r.NbreMax(), c.nombreAttendu) << c.nombre << " x " << c.pas;
        EXPECT_EQ(r.DeltatMesure(), c.pasAttendu) << c.nombre << " x " << c.pas;
        EXPECT_LE(static_cast<long long>(r.NbreMax()) * r.DeltatMesure(), 65535);
    }
}

} // namespace

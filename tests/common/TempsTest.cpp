#include "common/Temps.h"

#include <gtest/gtest.h>

#include <QTime>

namespace {

double heure(int h, int m, int s, int ms = 0)
{
    return QTime(h, m, s, ms).msecsSinceStartOfDay() / 86400000.0;
}

TEST(secondesVersHeure, DonneLHeureDuJour)
{
    EXPECT_DOUBLE_EQ(secondesVersHeure(0), 0.0);
    EXPECT_DOUBLE_EQ(secondesVersHeure(240), heure(0, 4, 0));
    EXPECT_DOUBLE_EQ(secondesVersHeure(3661), heure(1, 1, 1));
    EXPECT_DOUBLE_EQ(secondesVersHeure(65535), heure(18, 12, 15));
}

struct CasEcoule {
    double t0;
    double maintenant;
    int attendu;
};

TEST(secondesEcoulees, SecondesEntieresEntreDeuxHeures)
{
    const CasEcoule cas[] = {
        {heure(12, 0, 0), heure(12, 0, 0), 0},
        {heure(12, 0, 0), heure(12, 0, 10), 10},
        {heure(12, 0, 0), heure(12, 0, 0, 999), 0},        // milliseconds dropped
        {heure(12, 0, 0), heure(13, 1, 1, 500), 3661},
        {heure(8, 30, 0), heure(23, 59, 59), 55799},
        {heure(23, 59, 50), heure(0, 0, 10), 20},          // across midnight
        {heure(0, 0, 0), heure(18, 12, 15), 65535},
    };
    for (const auto& c : cas)
        EXPECT_EQ(secondesEcoulees(c.t0, c.maintenant), c.attendu) << c.t0 << " -> " << c.maintenant;
}

TEST(secondesEcoulees, RelitToutesLesDureesDUneMesure)
{
    const double t0 = heure(9, 15, 0, 250);
    for (int s = 0; s < 65536; ++s)
        ASSERT_EQ(secondesEcoulees(t0, t0 + secondesVersHeure(s)), s) << s;
}

TEST(secondesEcoulees, LitLHorlogeDuSysteme)
{
    const double t0 = heureCourante();
    const int s = secondesEcoulees(t0);
    EXPECT_TRUE(s == 0 || s == 1) << s;
}

} // namespace

namespace {

// The long time format of each locale, without the time-zone name that Qt
// adds to it; quoted text stays.
TEST(formatHeureLong, SansFuseauHoraire)
{
    struct Cas {
        QLocale locale;
        const char* attendu;
    };
    const Cas cas[] = {
        {QLocale(QLocale::French, QLocale::France), "00:01:30"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "12:01:30 AM"},
        {QLocale(QLocale::French, QLocale::Canada), "00 h 01 min 30 s"},
        {QLocale(QLocale::German, QLocale::Germany), "00:01:30"},
    };
    for (const Cas& c : cas) {
        EXPECT_FALSE(formatHeureLong(c.locale).contains(u't')) << c.locale.name().toStdString();
        EXPECT_EQ(texteHeure(secondesVersHeure(90), c.locale), QString::fromUtf8(c.attendu))
            << c.locale.name().toStdString();
    }
}

} // namespace

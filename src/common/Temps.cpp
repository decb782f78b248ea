#include "common/Temps.h"

#include <QTime>

#include <cmath>

namespace {
constexpr double secondesParJour = 86400.0;
constexpr long long msParJour = 86400000LL;
} // namespace

double secondesVersHeure(int s)
{
    const int h = s / 3600;
    const int r = s - 3600 * h;
    const int m = r / 60;
    const int sec = r % 60;
    return (h * 3600.0 + m * 60.0 + sec) / secondesParJour;
}

double heureCourante()
{
    return QTime::currentTime().msecsSinceStartOfDay() / static_cast<double>(msParJour);
}

int secondesEcoulees(double t0, double maintenant)
{
    double d = maintenant - t0;
    // Times of day carry no date: a time earlier than t0 is on the next day.
    if (d < 0) d += 1.0;
    const long long ms = std::llround(d * static_cast<double>(msParJour)) % msParJour;
    return static_cast<int>(ms / 1000);
}

int secondesEcoulees(double t0)
{
    return secondesEcoulees(t0, heureCourante());
}

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

// Quoted text is copied as it stands; unquoted runs of "t" (the time-zone
// name) go, with the blanks around them.
QString formatHeureLong(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString resultat;
    bool citation = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') citation = !citation;
        if (citation || c != u't') {
            resultat += c;
            continue;
        }
        while (!resultat.isEmpty() && resultat.back().isSpace()) resultat.chop(1);
        while (i + 1 < format.size() && format.at(i + 1) == u't') ++i;
        while (i + 1 < format.size() && format.at(i + 1).isSpace()) ++i;
    }
    return resultat.trimmed();
}

QString texteHeure(double heureDuJour, const QLocale& locale)
{
    const long long ms = std::llround(heureDuJour * static_cast<double>(msParJour));
    const QTime heure = QTime::fromMSecsSinceStartOfDay(static_cast<int>(((ms % msParJour) + msParJour) % msParJour));
    return locale.toString(heure, formatHeureLong(locale));
}

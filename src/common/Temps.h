#pragma once

#include <QLocale>
#include <QString>

// Times of day are fractions of a day (0.5 is noon); elapsed times are whole seconds.

// The time of day h:m:s for a whole number of seconds s (below 86400).
double secondesVersHeure(int s);

// The current time of day, read from the system clock.
double heureCourante();

// Whole seconds elapsed from the time of day t0 to the time of day maintenant.
int secondesEcoulees(double t0, double maintenant);

// Whole seconds elapsed from the time of day t0 to now.
int secondesEcoulees(double t0);

// The locale's long time format without its time-zone name: what a lab
// program shows and writes for a time of day ("00:04:00", "12:04:00 AM").
QString formatHeureLong(const QLocale& locale = QLocale());

// A time of day (fraction of a day) in that format.
QString texteHeure(double heureDuJour, const QLocale& locale = QLocale());

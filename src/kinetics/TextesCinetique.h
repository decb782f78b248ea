#pragma once

#include <QLocale>
#include <QString>

// What the kinetics window's indicators and labels read.

// An absorbance rounded to four significant digits and shown with three
// decimals and the locale's separator, without grouping: 0.5234 gives
// "0,523" in French, 12.3456 gives "12,350".
QString texteAbsorbance(double absorbance, const QLocale& locale = QLocale());

// A duration in whole seconds as a time of day in the locale's long format
// without time zone: 240 gives "00:04:00" in French.
QString texteDuree(int secondes, const QLocale& locale = QLocale());

// The time step beside the wavelength: "dt=2 s" when the window is created,
// "3 s" after any change.
QString texteDeltat(int pas, bool creation);

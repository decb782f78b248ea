#pragma once

#include <QString>

#include <optional>

// Text from the instrument (or the user) to a double: "." or "," is accepted
// as decimal separator whatever the locale; 0 when the text is not a number.
double texteVersReel(const QString& texte);
// The same reading, but saying when the text is not a number instead of
// giving 0: a reply that cannot be read must not pass for a measured zero.
std::optional<double> texteVersReelLu(const QString& texte);

// A double as exported text: general format, 7 significant digits, always
// "." as decimal separator ("1.5", "1.234568E07", "1.234E-05").
QString reelVersTexte(double x);

#pragma once

#include <QByteArray>

// Reading numbers out of the instrument's reply lines. Positions count from 1,
// as the instrument's documentation counts them.

// Where a number text lies in a line: its first position and its length
// (0 when the text is empty).
struct TNombreTrouve {
    qsizetype position;
    qsizetype longueur;
};

// Scans for a number from position k: the first "+", "-" or digit before the
// last character of the line (or the last character itself when there is
// none), then every following digit, "." or ",". A sign after the first
// character, a blank or an exponent letter ends the number.
TNombreTrouve chercheNombre(const QByteArray& ligne, qsizetype k);

QByteArray texteNombre(const QByteArray& ligne, TNombreTrouve nombre);

// What a reply line is by its shape, so that a line goes only where it fits:
// a point line has two readable numbers (the wavelength scanned from the
// start, then the absorbance scanned from one character past the end of the
// wavelength); a value line has one readable first number and nothing
// readable after it; any other line is unreadable. A line that the
// instrument sent damaged is never turned into a zero.
enum class TFormeLigne { eVide, ePoint, eValeur, eIllisible };

struct TLigneAnalysee {
    TFormeLigne forme = TFormeLigne::eVide;
    double lambda = 0.0;     // ePoint
    double valeur = 0.0;     // ePoint: the absorbance; eValeur: the value
    QByteArray texteValeur;  // eValeur: the number text as it stands
};

TLigneAnalysee analyseLigne(const QByteArray& ligne);

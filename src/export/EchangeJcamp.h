#pragma once

#include "export/TContexteExport.h"

#include <QString>
#include <QStringList>

class Tgraphe;

// A JCAMP-DX file, line by line, and how many points it had to leave out.
struct TFichierJcamp {
    QStringList lignes;
    // Points left out because their X or Y is not a finite number (NaN or
    // infinite): JCAMP-DX has no way to write them. NPOINTS, FIRSTX, LASTX
    // and FIRSTY describe the points written.
    int pointsEcartes = 0;
};

// The current curve as a JCAMP-DX 5.01 file that other spectroscopy
// programs open: one block of explicit (X, Y) pairs in AFFN, "." as decimal
// separator, X increasing, printable ASCII only, lines of at most 80
// characters. Kept spectra are not part of it.
TFichierJcamp fichierJcampSpectre(const Tgraphe& graphe, const TContexteExport& contexte,
                                  const QString& proprietaire);
// A kinetics run. JCAMP-DX has no data type for absorbance against time, so
// the file is a "UV/VIS SPECTRUM" whose abscissa is in SECONDS (a unit the
// standard lists for XUNITS), marked as a kinetics run by the private label
// "##$KINETICS=": readers that know UV/VIS spectra open it as a curve.
TFichierJcamp fichierJcampCinetique(const Tgraphe& graphe, const TContexteExport& contexte,
                                    const QString& proprietaire);

// A text as JCAMP-DX takes it: accents dropped, other characters outside
// printable ASCII as "?", on one line of at most longueurMax characters,
// and a blank put between two "$" (which would start a comment) or two "#"
// (which would start a label), so that a reader reads it as it was meant.
QString texteJcamp(const QString& texte, int longueurMax);

// The name ends in ".jdx", whatever its case.
bool estFormatJcamp(const QString& chemin);

#pragma once

#include "export/TContexteExport.h"

#include <QString>
#include <QStringList>

class Tgraphe;

// The current curve as a JCAMP-DX 5.01 file that other spectroscopy
// programs open: one block of explicit (X, Y) pairs in AFFN, "." as decimal
// separator, X increasing, printable ASCII only, lines of at most 80
// characters. Kept spectra are not part of it.
QStringList fichierJcampSpectre(const Tgraphe& graphe, const TContexteExport& contexte, const QString& proprietaire);
QStringList fichierJcampCinetique(const Tgraphe& graphe, const TContexteExport& contexte, const QString& proprietaire);

// A text as JCAMP-DX takes it: accents dropped, other characters outside
// printable ASCII as "?", on one line of at most longueurMax characters.
QString texteJcamp(const QString& texte, int longueurMax);

// The name ends in ".jdx", whatever its case.
bool estFormatJcamp(const QString& chemin);

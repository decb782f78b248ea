#pragma once

#include "export/TContexteExport.h"

#include <QStringList>

class Tgraphe;

// The texts a spectrum leaves the program in, line by line (without line
// ends), from the spectrum window's graph. Files keep the acquisition order;
// transfer texts go by increasing wavelength, whichever way the scan went.
// Every user's text goes through texteUtilisateur (MarquesEchange.h).

// The header of the exchange file: its declaration of the three variables.
QStringList ecritEntete();
// The page of the exchange file: acquisition, comment (or the date and
// time), then the values of the current curve.
QStringList ecritPage(const Tgraphe& graphe, const TContexteExport& contexte);
// The exchange file, header and page.
QStringList fichierEchangeSpectre(const Tgraphe& graphe, const TContexteExport& contexte);
// The spreadsheet file: titles, comment, then X, A, T by tabs.
QStringList ecritTableur(const Tgraphe& graphe, const TContexteExport& contexte);

// The transfer text of the current curve; with the graph-options block for
// a new file of the analysis program.
QStringList texteTransfertSpectre(const Tgraphe& graphe, const TContexteExport& contexte, bool nouveauFichier);
// The graph-options block: abscissa and ordinate names, colour, line width.
void AjouteOptionGr(const Tgraphe& Agraphe, QStringList& donnees);
// The transfer text of kept curve i (from 0).
QStringList texteCourbeConservee(const Tgraphe& graphe, int i, const TContexteExport& contexte);

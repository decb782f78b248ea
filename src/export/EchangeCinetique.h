#pragma once

#include "export/TContexteExport.h"

#include <QStringList>

class Tgraphe;

// The texts a kinetics run leaves the program in, line by line (without
// line ends), from the kinetics window's graph, in acquisition order.
// Every user's text goes through texteUtilisateur (MarquesEchange.h).

QStringList ecritEnteteCinet();
// Acquisition, comment (or a dated default), the values, then the markers
// when there are any.
QStringList ecritPageCinet(const Tgraphe& graphe, const TContexteExport& contexte);
QStringList fichierEchangeCinetique(const Tgraphe& graphe, const TContexteExport& contexte);

QStringList ecritEnteteTableurCinet();
QStringList ecritTableurCinet(const Tgraphe& graphe);
QStringList fichierTableurCinetique(const Tgraphe& graphe);

QStringList texteTransfertCinetique(const Tgraphe& graphe, const TContexteExport& contexte);

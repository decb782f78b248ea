#pragma once

#include "graph/Tgraphe.h"

#include <QString>

#include <cmath>
#include <vector>

// Small graphs as the two windows leave them, for the writers.

// A spectrum of the given wavelengths and absorbances (T = 10^-A), as the
// main window configures its graph.
inline void remplitSpectre(Tgraphe& g, const std::vector<double>& lambdas, const std::vector<double>& absorbances)
{
    g.mondeX->nom = QStringLiteral("λ");
    g.mondeX->unite = QStringLiteral("nm");
    g.mondeX->signif = QStringLiteral("longueur d'onde");
    g.mondeAbs->nom = QStringLiteral("A");
    g.mondeAbs->signif = QStringLiteral("absorbance");
    g.MondeTrans->nom = QStringLiteral("T");
    g.MondeTrans->unite = QStringLiteral("%");
    g.MondeTrans->signif = QStringLiteral("transmittance");
    g.mondeY = g.mondeAbs.get();
    for (std::size_t k = 0; k < lambdas.size(); ++k) {
        g.mondeX->valeur[k] = lambdas[k];
        g.mondeAbs->valeur[k] = absorbances[k];
        g.MondeTrans->valeur[k] = std::pow(10.0, -absorbances[k]);
    }
    g.nbrePoints = static_cast<indiceVecteur>(lambdas.size());
}

// A kinetics run of these times and absorbances, as the kinetics window
// configures its graph.
inline void remplitCinetique(Tgraphe& g, const std::vector<double>& temps, const std::vector<double>& absorbances)
{
    g.mondeX->nom = QStringLiteral("t");
    g.mondeX->unite = QStringLiteral("s");
    g.mondeX->signif = QStringLiteral("temps");
    g.mondeAbs->nom = QStringLiteral("A");
    g.mondeAbs->signif = QStringLiteral("Absorbance");
    g.mondeY = g.mondeAbs.get();
    for (std::size_t k = 0; k < temps.size(); ++k) {
        g.mondeX->valeur[k] = temps[k];
        g.mondeAbs->valeur[k] = absorbances[k];
    }
    g.nbrePoints = static_cast<indiceVecteur>(temps.size());
}

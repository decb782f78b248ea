#include "kinetics/BoutonsCinetique.h"

TBoutonsCinetique boutonsCinetique(const TFaitsCinetique& f)
{
    const bool pret = f.lambdaFait && f.blancFait;
    TBoutonsCinetique b;
    b.lancer = pret && (f.acquisition || !f.occupe);
    b.raz = f.nbrePoints > 10 && !f.acquisition;
    b.stop = f.acquisition || f.occupe;
    b.repere = f.acquisition;
    b.reglages = !f.acquisition;
    b.instrument = !f.acquisition && !f.occupe;
    b.sauver = f.nbrePoints > 10;
    b.indicateurs = f.acquisition;
    return b;
}

#pragma once

// What the kinetics window's controls depend on.
struct TFaitsCinetique {
    bool lambdaFait = false;
    bool blancFait = false;
    bool acquisition = false;      // a run is going on
    bool occupe = false;           // the main window's link has a command under way
    int nbrePoints = 0;
};

struct TBoutonsCinetique {
    bool lancer = false;
    bool raz = false;
    bool stop = false;
    bool repere = false;
    bool reglages = false;         // "Quitter", the count's field and arrows
    bool instrument = false;       // the wavelength button and field, "Blanc"
    bool sauver = false;
    bool indicateurs = false;      // elapsed time and last absorbance shown
};

// The refresh as a pure function of the flags. A run keeps "Lancer" enabled
// (pressing it again starts a new run), but outside a run nothing that sends
// a command is enabled while the link is busy, and Stop then is: it ends the
// wait as the main window's Stop does.
TBoutonsCinetique boutonsCinetique(const TFaitsCinetique& f);

#pragma once

#include "common/TEtatSpectre.h"

#include <QString>

// What the main window's controls depend on, gathered once per refresh.
struct TFaitsSpectre {
    bool ouvert = false;           // the port is open
    TEtatSpectre etat = TEtatSpectre::esAttente;
    bool occupe = false;           // the link has a command, a wait or results under way
    bool blancFait = false;
    bool spectreFait = false;
    int nbrePoints = 0;
};

// Which controls are enabled, and the prompts of the status line.
struct TBoutonsSpectre {
    bool blanc = false;
    bool spectre = false;
    bool stop = false;
    bool sauver = false;           // also "Imprimer"
    bool conserver = false;
    bool verification = false;     // "Aller à :", "Zéro", "Abs ?"
    bool connecte = false;         // the connect button shows pressed
    QString texteConnexion;        // "Connecter" or "Déconnecter"
    QString invite;                // the prompt shown on both status lines
    QString etat;                  // the text shown on the main status line only (last one written stays)
};

// The refresh as a pure function of the state, so that a table of cases can
// try it without a window or an instrument. Nothing that talks to the
// instrument is enabled while the link is busy, and Stop is whenever it is:
// a wait always has a way out. Saving and printing wait for the end of a
// scan, whose point count is still the previous curve's at its start.
TBoutonsSpectre boutonsSpectre(const TFaitsSpectre& f);

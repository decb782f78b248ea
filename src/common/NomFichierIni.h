#pragma once

#include "common/TFichierIni.h"

#include <QString>

// The program's settings files, fixed once at start-up before any window is
// created: the one written (and read first), and the shared one read for the
// keys it lacks (empty when the file beside the program is the one written).
const TCheminsIni& CheminsIni();
// The file written.
const QString& NomFichierIni();

// Whether files can be created in this folder by this process.
bool peutEcrireDans(const QString& dossier);
// Whether the settings can be written to this path: its folder can be
// written, and the file, when it exists, can be and has a write permission
// bit (a file made read-only by its owner or an administrator is left alone,
// even by root).
bool peutEcrireFichier(const QString& chemin);

// Fixes them from the running executable and the environment (see
// choisitCheminsIni), and creates the user's folder when it is used.
void fixeNomFichierIni();
void fixeNomFichierIni(const TCheminsIni& chemins);

// The executable's path with its extension (from the last dot of the file
// name) replaced by ".ini", or ".ini" added when the name has none.
QString nomIniVoisin(const QString& cheminExecutable);

// $XDG_CONFIG_HOME/<name>/<name>.ini, or ~/.config/<name>/<name>.ini when that
// variable is empty or not absolute; <name> is the executable's name without
// its extension. Empty when neither variable gives a folder.
QString nomIniPersonnel(const QString& cheminExecutable, const QString& xdgConfigHome,
                        const QString& home);

// The file beside the executable alone when it can be written there
// (voisinInscriptible, see peutEcrireFichier). Otherwise (an installed program
// in /usr/bin, an administrator's read-only file with its [Ports]) the user's
// own file (nomIniPersonnel) is written and read first, and the file beside
// the executable supplies the keys it lacks; without a folder for the user's
// own file, the file beside the executable alone.
TCheminsIni choisitCheminsIni(const QString& cheminExecutable, bool voisinInscriptible,
                              const QString& xdgConfigHome, const QString& home);

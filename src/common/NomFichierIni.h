#pragma once

#include <QString>

// The full path of the program's settings file, fixed once at start-up before
// any window is created.
const QString& NomFichierIni();

// Whether files can be created in this folder by this process.
bool peutEcrireDans(const QString& dossier);

// Fixes it from the running executable and the environment (see choisitNomFichierIni).
void fixeNomFichierIni();
void fixeNomFichierIni(const QString& nom);

// The executable's path with its extension (from the last dot of the file
// name) replaced by ".ini", or ".ini" added when the name has none.
QString nomIniVoisin(const QString& cheminExecutable);

// $XDG_CONFIG_HOME/<name>/<name>.ini, or ~/.config/<name>/<name>.ini when that
// variable is empty or not absolute; <name> is the executable's name without
// its extension. Empty when neither variable gives a folder.
QString nomIniPersonnel(const QString& cheminExecutable, const QString& xdgConfigHome,
                        const QString& home);

// The file beside the executable, unless it does not exist there and the
// executable's folder cannot be written (an installed program in /usr/bin):
// then the user's own configuration folder.
QString choisitNomFichierIni(const QString& cheminExecutable, bool voisinExiste,
                             bool dossierInscriptible, const QString& xdgConfigHome,
                             const QString& home);

#pragma once

#include <QString>

// The user's runtime folder, where the program keeps what only this user's
// processes may see (locks, local sockets): $XDG_RUNTIME_DIR when it names a
// folder the user can write; otherwise a folder of the user's own in
// dossierTemp ("lumko-<uid>"), made private. Empty when there is none.
QString dossierExecution();
QString dossierExecution(const QString& xdgRuntimeDir, const QString& dossierTemp);

// Creates the folder when needed and makes sure it belongs to this user and
// is closed to everybody else (mode 0700); false when it cannot be so.
bool dossierPrive(const QString& dossier);

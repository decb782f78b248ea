#pragma once

#include <QString>

// Where the program keeps what only this user's processes may see: the
// runtime folder, and in it Lumko's own folder, which holds every lock and
// every local socket (docs/EXCHANGE.md).

// The user's runtime folder: $XDG_RUNTIME_DIR when it names, by an absolute
// path, a folder (not a symbolic link) of this user's closed to everybody
// else (mode 0700), as the session manager makes it; otherwise a folder of the
// user's own in dossierTemp ("lumko-<uid>"), made private. Empty when there is
// none.
QString dossierExecution();
QString dossierExecution(const QString& xdgRuntimeDir, const QString& dossierTemp);

// Lumko's folder in the runtime folder, "<runtime>/lumko", made private: where
// the locks and the sockets live. Empty when it cannot be had.
QString dossierLumko();
QString dossierLumko(const QString& xdgRuntimeDir, const QString& dossierTemp);

// Creates the folder when needed and makes sure it is a folder, not a
// symbolic link, that belongs to this user and is closed to everybody else
// (mode 0700); false when it cannot be so.
bool dossierPrive(const QString& dossier);

// Opens the lock file, creating it (mode 0600) when needed: never through a
// symbolic link, closed on exec, and only when it is a plain file of this
// user's. The descriptor, or -1 with the reason, in French, in raison.
int ouvreFichierVerrou(const QString& chemin, QString* raison = nullptr);

// A local socket of this user's sits there (not a symbolic link).
bool socketDeConfiance(const QString& chemin);
// Nothing sits there, or something of this user's that is no symbolic link:
// a server may put its socket there, replacing what was left.
bool placeDeConfiance(const QString& chemin);

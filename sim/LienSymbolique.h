#pragma once

#include <string>

// The stable name a user's settings point at, for a device whose number
// changes with every start.

// Makes lien a symbolic link to cible. An absent name is created; a symbolic
// link whose target no longer exists (left by a simulator that was killed) or
// that already designates cible is replaced. Anything else is refused, with
// the reason in erreur: a regular file or a folder is not ours to remove, and a
// link to a live device may belong to another running simulator.
bool creeLienSymbolique(const std::string& lien, const std::string& cible, std::string& erreur);

// Removes lien if it is still a symbolic link to cible (a newer simulator may
// have taken the name over since).
void retireLienSymbolique(const std::string& lien, const std::string& cible);

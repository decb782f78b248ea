#pragma once

#include "common/Vecteur.h"

// A kept curve: a copy of the three value vectors (all slots) and the count,
// so later acquisition never alters it.
struct Tdonnees {
    Tvecteur X{};
    Tvecteur A{};
    Tvecteur T{};
    int nombre = 0;
};

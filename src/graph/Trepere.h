#pragma once

#include <QString>

// A marker: the abscissa it stands at and what the user typed for it (exported,
// never drawn).
struct Trepere {
    double Valeur = 0;
    QString Text;
};

#pragma once

// The scan set by the last "a": range in tenths of a nanometre, speed code.
// Until a first "a", the instrument keeps its factory setting.
struct TReglageBalayage {
    int finDixiemes = 8000;
    int debutDixiemes = 5000;
    int vitesse = 3; // 1 "très rapide" to 5 "très lente"
};

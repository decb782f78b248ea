#pragma once

#include <string>

// How the simulated instrument behaves: its pace, and the faults it plays so
// that the program's side can be tried against them.
struct TConfigInstrument {
    bool rapide = false;        // no pacing; otherwise bytes leave at the real 9600-baud 7O1 rate (960 bytes/s)
    bool muet = false;          // never answers anything
    int nakAvantAck = 0;        // answers the first n transmissions it receives (ENQ or command+NUL) with NAK, then ACK
    bool sansFin = false;       // acknowledges commands but then never sends EOT nor ENQ
    bool sansENQ = false;       // acknowledges "f" and "d" but then sends nothing at all; the operations still end with EOT
    bool perdEOT = false;       // the results of "f" and "d" are never closed by EOT; the operations keep theirs
    double delaiLecture = 0.0;  // seconds between the ACK of "d" and its ENQ, not scaled by facteurTemps, so a reading can come late while operations are shortened
    std::string texteReponse;   // not empty: every reply line (point or absorbance) is this text instead of its numbers, still ended by NUL
    bool parasites = false;     // stray control bytes (CR, LF, ETX...) and garbage printable text around/between lines, while still ending each line with NUL
    bool lignesLongues = false; // point lines longer than 255 printable characters (numbers first, padding after)
    int pointsForces = 0;       // > 0: a scan yields exactly this many points (e.g. 2100, beyond the program's 2001)
    int raccrocheApresPoints = -1; // >= 0: hang up (close the line) after sending this many point lines of a scan
    double facteurTemps = 1.0;  // scales every operation delay (blank, goto, scan pacing between points); tests use small values
    unsigned graine = 1;        // seed of the noise

    // Seconds the instrument waits for the program's ACK of its ENQ, EOT or
    // reply line before it gives up and goes back to idle. Not scaled by
    // facteurTemps: how fast the program answers does not depend on how fast
    // the instrument works, and a program polling every 100 ms must not be
    // dropped because the operations were shortened.
    double attenteAck = 5.0;
    // Half-life in seconds of the dye whose fading the kinetics sample shows.
    double demiVie = 180.0;
};

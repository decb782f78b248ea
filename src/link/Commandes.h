#pragma once

#include <QByteArray>

#include <cstdint>

// The control bytes that cross the line.
inline constexpr char octetNUL = 0x00;
inline constexpr char octetEOT = 0x04;
inline constexpr char octetENQ = 0x05;
inline constexpr char octetACK = 0x06;
inline constexpr char octetNAK = 0x15;

// The instrument's commands. Wavelengths are given in nm and sent in tenths
// of a nm; indexVitesse is the index of the chosen speed, 0 ("très rapide")
// to 4 ("très lente"). The handshake appends the NUL.
QByteArray commandeBlanc(int debut, int fin);
QByteArray commandeReglage(int debut, int fin, int indexVitesse);
QByteArray commandeDepart(int parametre);
QByteArray commandeLambda(int lambda);
QByteArray commandeZero();
QByteArray commandeAbs();

// The parameter of the scan start for a range w = fin - début (nm) at a speed.
int parametreBalayage(int w, int indexVitesse);

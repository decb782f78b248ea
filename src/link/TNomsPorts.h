#pragma once

#include "common/TFichierIni.h"

#include <QString>

// The user chooses ports by COM number, as on the instrument's leaflet; this
// class turns a number into a device path. The settings file may name the
// device of any number in its section "Ports" ("COM7=/dev/ttyUSB0", a symbolic
// link as well); without an entry the usual Linux devices apply
// (peripheriqueParDefaut), and COM49 and COM50 exist only through an entry.
// The settings file is read at every call, so an entry added while the
// program runs counts at the next port list.
class TNomsPorts {
public:
    static constexpr int numeroMax = 50;

    explicit TNomsPorts(TCheminsIni cheminIni);

    // The device path of COM n; empty when n stands for no device.
    QString nomPort(int n) const;

    // Whether COM n can be offered to the user (see peripheriqueUtilisable).
    bool portExiste(int n) const;

private:
    TCheminsIni cheminIni_;
};

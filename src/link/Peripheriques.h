#pragma once

#include <QString>

// How a COM number the user picks becomes a device on Linux, and whether a
// device at a given path can take the instrument.

// The usual device for a COM number when the settings name none:
// COM1-16 /dev/ttyS0-15, COM17-32 /dev/ttyUSB0-15, COM33-48 /dev/ttyACM0-15.
// Empty for any other number.
QString peripheriqueParDefaut(int numero);

// Whether an open() that failed with this errno still proves that the port is
// there: held by another program (EBUSY) or refused to this user (EACCES,
// EPERM). The user must see such a port in the list, to know it exists.
bool erreurSignalePortPresent(int erreur);

// Opens the device read-write without waiting for a carrier, and closes it
// again. True when it opened and is a terminal with a serial line behind it,
// or when the refusal proves it exists (see above). A /dev/ttyS node whose
// driver found no UART behind it opens, but reports its type as unknown: it is
// not offered.
bool peripheriqueUtilisable(const QString& chemin);

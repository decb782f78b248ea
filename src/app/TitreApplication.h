#pragma once

#include <QString>

// The name a copy of the program goes by: the executable's file name up to its
// first dot, capitalised ("PROG.EXE" gives "Prog"). Two copies of one
// executable share it; a copy renamed on disk gets a title of its own.
QString titreApplication(const QString& cheminExecutable);

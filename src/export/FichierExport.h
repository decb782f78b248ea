#pragma once

#include <QString>
#include <QStringList>

// Writes the lines to the file in the analysis program's code page, CR LF
// after every line, and atomically: the file is written beside its final
// name and put in place only once whole, so that a failure (a full disk, a
// read-only folder, a name that is a folder) never leaves a truncated file
// and the previous file of that name survives. Returns an empty text on
// success, otherwise the reason in French.
QString ecritFichierExport(const QString& chemin, const QStringList& lignes);

// The message a window shows for such a failure.
QString messageEchecFichier(const QString& chemin, const QString& raison);

// The message a window shows when a file was written without the points
// it could not hold (a JCAMP-DX file and a value that is not a finite
// number): their count, which is at least 1.
QString messagePointsEcartes(const QString& chemin, int nombre);

#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

// What every exchange text carries besides the graph: the program's full
// path, the page comment, and the date and time it was built, already in
// the user's locale. Built once per text, so that tests can give their own.
struct TContexteExport {
    QString executable;
    QString commentaire;
    QString dateHeure;

    // The running program, now, in the user's locale.
    static TContexteExport maintenant(const QString& commentaire);
};

// The locale's short date, a space, and the time as hours, minutes and
// seconds in the locale's long form without time zone ("10/12/2026 14:05:09").
QString texteDateHeure(const QDateTime& moment, const QLocale& locale = QLocale());

// The lines joined, each one followed by CR LF, the last one included.
QString texteLignes(const QStringList& lignes);

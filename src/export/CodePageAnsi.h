#pragma once

#include <QByteArray>
#include <QString>

// The single-byte code page the analysis program reads its files in:
// Windows-1252, Latin-1 with printable characters where Latin-1 has C1
// control codes ("€", "œ", "’"...). A character it lacks becomes "?",
// as the system's own conversion writes it.
QByteArray versCodePageAnsi(const QString& texte);

#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <deque>

// What the serial channel keeps for a person chasing a link fault: the last
// bytes that crossed the line, each with its direction, and the channel's own
// events (opening, closing, errors, triggers). Both are bounded, so a long
// session costs nothing; both are written as text files on request.
class TDiagnosticLiaison {
public:
    static constexpr std::size_t octetsTraces = 10000;
    static constexpr qsizetype caracteresJournal = 10000;
    static inline const QString nomTrace = QStringLiteral("orvanne.TRC");
    static inline const QString nomJournal = QStringLiteral("orvanne.LOG");

    void trace(bool emis, const QByteArray& octets);
    void journal(const QString& evenement);

    // Hex and text side by side, sixteen bytes a line at most, a new line at
    // every change of direction: "R  20 35 30 ...   | 50...|".
    QString texteTrace() const;
    QString texteJournal() const;

    // Writes both files into the folder, replacing earlier ones. False when
    // either could not be written; nothing else happens then.
    bool ecrit(const QString& dossier) const;

private:
    struct TOctet {
        bool emis;
        std::uint8_t valeur;
    };

    std::deque<TOctet> octets_;
    std::deque<QString> lignes_;
    qsizetype tailleJournal_ = 0;
};

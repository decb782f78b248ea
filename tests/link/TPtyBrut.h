#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal whose far end the test plays itself, byte by byte: the
// program opens esclave(); the test writes and reads on the master side.
//
// With a link path, esclave() is a symbolic link to the slave that disappears
// at the hang-up, as a pulled adapter's device does. Tests that hang up need
// it: the kernel soon gives the freed /dev/pts number to another process's
// pty, which the program would otherwise reopen.
class TPtyBrut {
public:
    explicit TPtyBrut(QString lien = {});
    ~TPtyBrut();
    TPtyBrut(const TPtyBrut&) = delete;
    TPtyBrut& operator=(const TPtyBrut&) = delete;

    bool ok() const { return maitre_ >= 0; }
    QString esclave() const { return esclave_; }

    void ecrit(const QByteArray& octets) const;
    // What the program has sent so far (without waiting).
    QByteArray lit() const;
    // Waits, processing Qt events, until n bytes have come, or 5 s.
    QByteArray litAuMoins(qsizetype n) const;
    // The line as the program sees it: speed and character format.
    bool reglages(unsigned* vitesse, unsigned* cflag, unsigned* iflag) const;
    // Hangs up: the program's side loses its line.
    void raccroche();

private:
    int maitre_ = -1;
    QString esclave_;
    QString lien_;
};

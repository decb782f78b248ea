#pragma once

#include <QString>

// What the kinetics window may ask of the window that owns the instrument
// link, and nothing more: it never reaches the link's state directly.
class TAccesInstrument {
public:
    virtual ~TAccesInstrument() = default;

    virtual void setLambda(int lambda) = 0;
    virtual void setZero() = 0;
    virtual void demandeAbs() = 0;
    // Ends any wait of the link, as the main window's Stop does.
    virtual void StopBtnClick() = 0;
    // Ends any wait as Stop does and says why on the status lines.
    virtual void abandonne(const QString& raison) = 0;
    // A command is under way: its handshake, its wait, or its results.
    virtual bool enCommande() const = 0;
    // Nothing under way and nothing left waiting for Stop (a command whose
    // handshake failed leaves its state until Stop).
    virtual bool auRepos() const = 0;
    // The program is ending: nothing new may start.
    virtual bool seFerme() const = 0;
};

#pragma once

#include <QString>
#include <QStringList>

class THoteCinetique;

// What the link needs of the main window. Everything the user sees of the
// link goes through here, so the link runs without any window.
class THoteLiaison {
public:
    virtual ~THoteLiaison() = default;

    // The status line of the main window, and of the kinetics window if any.
    virtual void afficheMessage(const QString& texte) = 0;
    // Derives the buttons and the status prompt from the window's state.
    virtual void setBoutons() = 0;
    // Enables the Stop button while results come in.
    virtual void activeStop() = 0;
    // The read-only absorbance field.
    virtual void afficheAbs(const QString& texte) = 0;
    // The port list: its entries ("COM3") and the selected one, -1 for none.
    virtual void setListePorts(const QStringList& entrees, int selection) = 0;
    // The "Select Port" dialog over these entries: the index chosen, -1 for
    // Cancel.
    virtual int choisitPort(const QStringList& entrees) = 0;
    // The application's standard error box.
    virtual void afficheErreur(const QString& texte) = 0;
    // The kinetics window, null until it is created.
    virtual THoteCinetique* cinetique() = 0;
};

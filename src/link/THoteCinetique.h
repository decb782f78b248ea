#pragma once

#include <QString>

// What the link needs of the kinetics window, once it exists.
class THoteCinetique {
public:
    virtual ~THoteCinetique() = default;

    virtual bool acqEnCours() const = 0;
    virtual void setAbs(double absorbance) = 0;
    virtual void setLambdaFait(bool fait) = 0;
    virtual void setBlancFait(bool fait) = 0;
    virtual void setBoutons() = 0;
    // Only the enabled state of its controls, from its flags and whether the
    // link is busy: cheap enough for before and after every wait.
    virtual void rafraichitBoutons() = 0;
    // Its status line, which shows what the main window's status line shows.
    virtual void afficheMessage(const QString& texte) = 0;
};

#pragma once

#include <QString>
#include <stdexcept>

// Raised when a settings write cannot be completed; the text is shown to the
// user as it stands ("Impossible d'écrire dans <path>").
class EEcritureIni : public std::runtime_error {
public:
    explicit EEcritureIni(const QString& chemin);
    QString texte() const;
};

// The program's settings file in the ini layout: "[section]" headers and
// "key=value" lines. Section and key names compare without regard to case;
// every line that is not ours is kept in place and in order. Each call opens
// and releases the file itself; nothing is cached between calls.
class TFichierIni {
public:
    explicit TFichierIni(QString chemin);

    const QString& chemin() const { return chemin_; }

    QString litChaine(const QString& section, const QString& cle, const QString& defaut) const;
    int litEntier(const QString& section, const QString& cle, int defaut) const;
    bool litBooleen(const QString& section, const QString& cle, bool defaut) const;

    // Each write either replaces the file completely or leaves it untouched;
    // on failure it throws EEcritureIni. A section, key or value that would
    // break the line layout (line ends, "=" in a key, "]" in a section) is a
    // programming error: std::invalid_argument, nothing written.
    void ecritChaine(const QString& section, const QString& cle, const QString& valeur) const;
    void ecritEntier(const QString& section, const QString& cle, int valeur) const;
    void ecritBooleen(const QString& section, const QString& cle, bool valeur) const;

private:
    QString chemin_;
};

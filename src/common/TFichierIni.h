#pragma once

#include <QString>
#include <stdexcept>
#include <utility>

// Raised when a settings write cannot be completed; the text is shown to the
// user as it stands ("Impossible d'écrire dans <path>").
class EEcritureIni : public std::runtime_error {
public:
    explicit EEcritureIni(const QString& chemin);
    QString texte() const;
};

// Where the settings live: the user's own file, read first and the only one
// written, and a shared file (the one beside the program, which may be an
// administrator's, read-only) that supplies every key the user's file lacks,
// key by key. A single path (what tests and tools give) is a file alone.
struct TCheminsIni {
    TCheminsIni(QString personnel, QString commun = {})
        : personnel(std::move(personnel)), commun(std::move(commun))
    {
    }

    QString personnel;
    QString commun;
};

// The program's settings file in the ini layout: "[section]" headers and
// "key=value" lines. Section and key names compare without regard to case;
// every line that is not ours is kept in place and in order. Each call opens
// and releases the file itself; nothing is cached between calls.
class TFichierIni {
public:
    explicit TFichierIni(TCheminsIni chemins);

    // The file that is written (the user's own).
    const QString& chemin() const { return chemins_.personnel; }

    // The value in the user's file when it holds the key, else in the shared
    // file, else the default.
    QString litChaine(const QString& section, const QString& cle, const QString& defaut) const;
    int litEntier(const QString& section, const QString& cle, int defaut) const;
    bool litBooleen(const QString& section, const QString& cle, bool defaut) const;

    // Writes go to the user's file only. Each write either replaces the file completely or leaves it untouched;
    // on failure it throws EEcritureIni. A section, key or value that would
    // break the line layout (line ends, "=" in a key, "]" in a section) is a
    // programming error: std::invalid_argument, nothing written.
    void ecritChaine(const QString& section, const QString& cle, const QString& valeur) const;
    void ecritEntier(const QString& section, const QString& cle, int valeur) const;
    void ecritBooleen(const QString& section, const QString& cle, bool valeur) const;

private:
    TCheminsIni chemins_;
};

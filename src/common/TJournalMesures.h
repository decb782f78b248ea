#pragma once

#include <QFile>
#include <QMap>
#include <QString>

#include "common/Vecteur.h"

#include <array>
#include <vector>

// A measurement's journal: every point stored in the current spectrum or
// kinetics run, and every marker, appended to a small file as it comes, so
// that a crash or a power cut in the middle of an afternoon's run costs at
// most the last second. Each record is one text line; a line cut short by
// the crash is dropped when the journal is read back.
//
// Layout, one record a line, fields separated by tabs:
//   LUMKO-JOURNAL<TAB>1
//   en-tete<TAB><name><TAB><value>      (window, range, time step...)
//   p<TAB><index><TAB><value>...        a point (index 0 to 2000)
//   r<TAB><time><TAB><text>             a marker (text with \t, \n, \\ escaped)
//   e                                   one point in two dropped (kinetics)
class TJournalMesures {
public:
    static inline const QString suffixe = QStringLiteral(".journal");

    // $XDG_STATE_HOME/lumko, or ~/.local/state/lumko.
    static QString dossierParDefaut();

    // dossier: where the journals live; nom: the curve's ("spectre", "cinetique").
    TJournalMesures(QString dossier, QString nom);
    ~TJournalMesures();
    TJournalMesures(const TJournalMesures&) = delete;
    TJournalMesures& operator=(const TJournalMesures&) = delete;

    QString chemin() const;
    bool ouvert() const { return fichier_.isOpen(); }

    // Starts a new journal for a new curve, replacing the one before.
    bool commence(const QMap<QString, QString>& entete);
    // Takes over the journal on disk (a curve brought back), to go on.
    bool reprend();
    void ajoutePoint(int indice, std::initializer_list<double> valeurs);
    void ajouteRepere(double valeur, const QString& texte);
    void ajouteEclaircissement();
    // Forces what was written onto the disk (called at least once a second).
    void synchronise();
    // The curve was exported or cleared: its journal goes.
    void abandonne();

private:
    void ecrit(const QByteArray& ligne);

    QString dossier_;
    QString nom_;
    QFile fichier_;
    bool aSynchroniser_ = false;
};

// A journal as read back: every complete record, in order.
struct TCourbeJournal {
    QMap<QString, QString> entete;
    struct TPoint {
        int indice;
        std::vector<double> valeurs;
    };
    struct TRepere {
        double valeur;
        QString texte;
    };
    // Points and markers in journal order, with the thinnings between them.
    struct TEvenement {
        enum class Genre { point, repere, eclaircissement } genre;
        TPoint point;
        TRepere repere;
    };
    std::vector<TEvenement> evenements;
    bool valide = false;       // the first line is the journal's
    int lignesIgnorees = 0;    // damaged or cut short
};

// The curve the journal describes: up to three values a point, the count,
// the markers, with every thinning applied where it came.
struct TCourbeRejouee {
    std::array<Tvecteur, 3> colonnes{};
    int nombre = 0;
    std::vector<TCourbeJournal::TRepere> reperes;
};
TCourbeRejouee rejoue(const TCourbeJournal& journal);

// Never fails: what cannot be read is left out.
TCourbeJournal lisJournal(const QByteArray& contenu);
TCourbeJournal lisJournalFichier(const QString& chemin);

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
//
// While a journal is open, its object holds an exclusive flock on the file:
// another process (another copy of the program, the recovery at start-up)
// never truncates, removes, renames or takes over a journal whose lock it
// cannot get. The kernel drops the lock when the process ends, however it ends.
class TJournalMesures {
public:
    static inline const QString suffixe = QStringLiteral(".journal");
    static inline const QString suffixeEcarte = QStringLiteral(".ecarte");

    // The journals' folder of the running program: dossierDuTitre of the
    // title fixed by fixeTitre ("Lumko" until then).
    static QString dossierParDefaut();
    // $XDG_STATE_HOME/lumko, or ~/.local/state/lumko, for the program itself;
    // a copy renamed on disk (another title, see titreApplication) runs beside
    // it and keeps its journals in a folder of its own, <that folder>/<title>.
    static QString dossierDuTitre(const QString& titre);
    // Once at start-up, before any window: the title of the running program.
    static void fixeTitre(const QString& titre);

    // dossier: where the journals live; nom: the curve's ("spectre", "cinetique").
    TJournalMesures(QString dossier, QString nom);
    ~TJournalMesures();
    TJournalMesures(const TJournalMesures&) = delete;
    TJournalMesures& operator=(const TJournalMesures&) = delete;

    QString chemin() const;
    bool ouvert() const { return fichier_.isOpen(); }

    // Starts a new journal for a new curve, replacing the one before; false,
    // with the journal left as it is, when another process holds it. A
    // journal with points that this object neither started nor took over (a
    // session's that was never brought back) is set aside first, never lost.
    bool commence(const QMap<QString, QString>& entete);
    // Takes over the journal on disk (a curve brought back), to go on; false
    // when there is none or another process holds it.
    bool reprend();
    void ajoutePoint(int indice, std::initializer_list<double> valeurs);
    void ajouteRepere(double valeur, const QString& texte);
    void ajouteEclaircissement();
    // Forces what was written onto the disk (called at least once a second).
    void synchronise();
    // The curve was exported or cleared: its journal goes, unless another
    // process holds it.
    void abandonne();

    // The last commence, reprend or abandonne found the journal held by
    // another process, and left it alone.
    bool tenuAilleurs() const { return tenuAilleurs_; }

    // Renames a journal aside, <chemin>.<date and time>.ecarte, never over
    // another file.
    static bool metDeCote(const QString& chemin);

private:
    enum class Prise { tenu, tenuAilleurs, impossible };
    Prise tiens(bool creer);
    bool tientLeSien() const;
    bool prendPourCommencer();
    void signaleTenuAilleurs() const;
    void ecrit(const QByteArray& ligne);

    QString dossier_;
    QString nom_;
    QFile fichier_;
    bool aSynchroniser_ = false;
    bool tenuAilleurs_ = false;
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

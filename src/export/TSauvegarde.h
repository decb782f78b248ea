#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;
class TCinetiqueForm;
class TConstanteDlg;
class TFormDDE;
class TFormMain;

// "Sauver" of both windows: to the analysis program (after the page
// dialog), to the clipboard, or to a file, whichever its menu has checked.
class TSauvegarde : public QObject {
    Q_OBJECT

public:
    static inline const QString filtres =
        QStringLiteral("Tabrelix (*.tb3);;Tableur ASCII (*.txt);;JCAMP-DX (*.jdx)");
    static inline const QString titreCinetique = QStringLiteral("Sauvegarde données");
    static inline const QString texteErreurCinetique = QStringLiteral("Erreur d'écriture du fichier");

    TSauvegarde(TFormDDE& dde, TConstanteDlg& constantes, QObject* parent = nullptr);

    // Gives the window's "Sauver" its export.
    void brancheSpectre(TFormMain& fenetre);
    void brancheCinetique(TCinetiqueForm& fenetre);

    // True when the window's data were handed over; the window then drops
    // their journal. A click that comes while a transfer is under way (let
    // in by one of its dialogs or waits) does nothing and returns false.
    // The spectrum window's kept spectra, which have no journal, go only
    // once the analysis program has them all or the file is written.
    bool SaveBtnClick(TFormMain& fenetre);
    bool SaveBtnClick(TCinetiqueForm& fenetre);
    // True when the file was written whole; false when the dialog was
    // cancelled or the writing failed (the user was told). A JCAMP-DX file
    // written without its non-finite points is written whole: the user is
    // told how many were left out (messagePointsEcartes).
    bool sauveFichier(TFormMain& fenetre);
    bool sauveFichierCinet(TCinetiqueForm& fenetre);

    // The name chosen in the save dialog, empty when cancelled. The dialog
    // asks before replacing an existing file.
    std::function<QString(QWidget* parent, const QString& titre, const QString& suffixe)> dialogueFichier;
    // A failed file: the main text and the reason; also a file written
    // without some of its points.
    std::function<void(QWidget* parent, const QString& texte, const QString& detail)> boiteErreur;

private:
    // One transfer at a time: a second "Sauver" inside the first does nothing.
    static bool seulTransfert(const std::function<bool()>& exporte);
    bool exporteSpectre(TFormMain& fenetre);
    bool exporteCinetique(TCinetiqueForm& fenetre);
    bool versTabrelix(TFormMain& fenetre);
    bool versTabrelix(TCinetiqueForm& fenetre);
    bool versFichier(TFormMain& fenetre);
    static void retireConservees(TFormMain& fenetre);

    TFormDDE& dde_;
    TConstanteDlg& constantes_;
};

// The exchange format is chosen by the name's extension, whatever its case.
bool estFormatTB3(const QString& chemin);

// Who the JCAMP-DX files say they belong to: the user's login name.
QString proprietaireFichiers();

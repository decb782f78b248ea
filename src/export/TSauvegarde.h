#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

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

    // The spectrum window: after every export, failed file excepted, the
    // kept spectra are removed. True when the curve was handed over.
    bool SaveBtnClick(TFormMain& fenetre);
    // The kinetics window: true when the run was handed over.
    bool SaveBtnClick(TCinetiqueForm& fenetre);
    // False when the file could not be written; empty when the dialog was
    // cancelled.
    std::optional<bool> sauveFichier(TFormMain& fenetre);
    bool sauveFichierCinet(TCinetiqueForm& fenetre);

    // The name chosen in the save dialog, empty when cancelled. The dialog
    // asks before replacing an existing file.
    std::function<QString(QWidget* parent, const QString& titre, const QString& suffixe)> dialogueFichier;
    // A failed file: the main text and the reason.
    std::function<void(QWidget* parent, const QString& texte, const QString& detail)> boiteErreur;

private:
    TFormDDE& dde_;
    TConstanteDlg& constantes_;
};

// The exchange format is chosen by the name's extension, whatever its case.
bool estFormatTB3(const QString& chemin);

// Who the JCAMP-DX files say they belong to: the user's login name.
QString proprietaireFichiers();

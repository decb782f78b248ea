#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;
class TGroupeRadio;

// "Renseignements sur la page courante": the comment written into every
// export and whether a transfer to the analysis program opens a new file or
// adds a page. Made once at start-up and kept, so that its fields keep their
// values from one export to the next.
class TConstanteDlg : public QDialog {
    Q_OBJECT

public:
    static inline const QString titre = QStringLiteral("Renseignements sur la page courante");

    explicit TConstanteDlg(QWidget* parent = nullptr);

    QLineEdit* EditComm;
    TGroupeRadio* NewPageCB;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    QString commentaire() const;
    // The page choice is "Nouveau fichier" (index 0).
    bool nouveauFichier() const;
    void setNouvellePage();

    // Shows the dialog, modal and centred, OK with the focus: true for OK.
    bool confirme();
    // Replaces the showing in tests: gives the answer instead of the user.
    std::function<bool(TConstanteDlg&)> reponse;
};

#pragma once

#include <QWidget>

#include "spectrum/BoutonsSpectre.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TComboPorts;
class TGroupeRadio;
class TListeCoches;
class TSpinEdit;

// The left panel of the main window: the scan's range and speed, what the
// graph shows, the "Vérification" controls, the note about Stop and the port
// list. It only lays the controls out; the window gives them their meaning.
class TPanneauSpectre : public QWidget {
    Q_OBJECT

public:
    static constexpr int largeur = 177;

    explicit TPanneauSpectre(QWidget* parent = nullptr);

    QGroupBox* LambdaGB;
    TSpinEdit* DebutSE;
    TSpinEdit* FinSE;
    TGroupeRadio* VitesseRG;
    QGroupBox* GroupBox1;
    TListeCoches* AffDeriveeCB;
    TGroupeRadio* YRG;
    QLabel* Memo1;
    QGroupBox* GroupBox3;
    QPushButton* LambdaBtn;
    TSpinEdit* LambdaSE;
    QPushButton* ZeroBtn;
    QPushButton* AbsBtn;
    QLineEdit* AbsEdit;
    TComboPorts* ComPorts;

    // Ticked or not, the derivative of order k (1 to 3).
    bool deriveeCochee(int k) const;
    // Enables the "Vérification" buttons as the refresh decided.
    void applique(const TBoutonsSpectre& etat);

private:
    QGroupBox* construitLongueurs();
    QGroupBox* construitDerivees();
    QLabel* construitNote();
    QGroupBox* construitVerification();
};

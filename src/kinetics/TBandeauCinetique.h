#pragma once

#include <QWidget>

#include "kinetics/BoutonsCinetique.h"

class QLabel;
class QLineEdit;
class QToolButton;
class TFleches;
class TSpinEdit;

// The strip across the top of the kinetics window, read left to right as one
// line: the wavelength and its button, then "time step x count = duration",
// then the two indicators of the run under way.
class TBandeauCinetique : public QWidget {
    Q_OBJECT

public:
    explicit TBandeauCinetique(QWidget* parent = nullptr);

    QLabel* Label2;
    TSpinEdit* LambdaSE;
    QToolButton* LambdaBtn;
    QLabel* LabelDeltat;
    TFleches* DureeSB;
    QLabel* Label3;
    QLineEdit* NbreEdit;
    TFleches* NbreSpin;
    QLabel* Label4;
    QLineEdit* DureeEdit;
    QLabel* PanelDuree;
    QLabel* PanelAbs;

    void applique(const TBoutonsCinetique& etat);

private:
    void construitLongueurOnde();
    void construitDuree();
    void construitIndicateurs();
    QLabel* indicateur(const QString& nom, const QString& aide);
};

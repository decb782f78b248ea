#include "kinetics/TBandeauCinetique.h"

#include "kinetics/TFleches.h"
#include "spectrum/BoutonsBarre.h"
#include "spectrum/CadreFenetre.h"
#include "spectrum/TSpinEdit.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

QLabel* texte(const QString& contenu, QWidget* parent)
{
    auto* label = new QLabel(contenu, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TBandeauCinetique::TBandeauCinetique(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BoutonsPanel"));
    auto* ligne = new QHBoxLayout(this);
    ligne->setContentsMargins(6, 4, 6, 4);
    ligne->setSpacing(4);
    construitLongueurOnde();
    construitDuree();
    construitIndicateurs();
}

void TBandeauCinetique::construitLongueurOnde()
{
    auto* ligne = static_cast<QHBoxLayout*>(layout());
    LambdaSE = new TSpinEdit(190, 1100, 500, this);
    LambdaSE->setObjectName(QStringLiteral("LambdaSE"));
    LambdaSE->setIncrement(1);
    LambdaSE->setChiffresMax(4);
    LambdaSE->setAccessibleName(QStringLiteral("Lambda (nm)"));
    LambdaSE->setToolTip(QStringLiteral("Longueur d'onde de la cinétique, de 190 à 1100 nm"));
    Label2 = new QLabel(QStringLiteral("Lambda (nm)"), this);
    Label2->setBuddy(LambdaSE);
    LambdaBtn = new QToolButton(this);
    LambdaBtn->setObjectName(QStringLiteral("LambdaBtn"));
    LambdaBtn->setIcon(iconeLumko(QStringLiteral("lambda")));
    LambdaBtn->setIconSize(QSize(16, 16));
    LambdaBtn->setAccessibleName(QStringLiteral("Régler la longueur d'onde"));
    LambdaBtn->setToolTip(QStringLiteral("Cliquer pour régler la longueur d'onde"));
    LambdaBtn->setAccessibleDescription(LambdaBtn->toolTip());
    ligne->addWidget(Label2);
    ligne->addWidget(LambdaSE);
    ligne->addWidget(LambdaBtn);
    ligne->addSpacing(14);
}

void TBandeauCinetique::construitDuree()
{
    auto* ligne = static_cast<QHBoxLayout*>(layout());
    LabelDeltat = texte(QStringLiteral("dt=2 s"), this);
    LabelDeltat->setObjectName(QStringLiteral("LabelDeltat"));
    LabelDeltat->setToolTip(QStringLiteral("Intervalle de temps entre chaque points"));
    LabelDeltat->setMinimumWidth(LabelDeltat->fontMetrics().horizontalAdvance(QStringLiteral("dt=600 s")));
    DureeSB = new TFleches(this);
    DureeSB->setObjectName(QStringLiteral("DureeSB"));
    DureeSB->setAccessibleName(QStringLiteral("Intervalle de temps"));
    DureeSB->setToolTip(QStringLiteral("Allonger ou raccourcir l'intervalle de temps entre chaque points"));
    Label3 = texte(QStringLiteral("x"), this);
    NbreEdit = new QLineEdit(this);
    NbreEdit->setObjectName(QStringLiteral("NbreEdit"));
    NbreEdit->setAccessibleName(QStringLiteral("Nombre de points"));
    NbreEdit->setToolTip(QStringLiteral("Nombre de points"));
    NbreEdit->setAlignment(Qt::AlignRight);
    NbreEdit->setFixedWidth(NbreEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    NbreSpin = new TFleches(this);
    NbreSpin->setObjectName(QStringLiteral("NbreSpin"));
    NbreSpin->setAccessibleName(QStringLiteral("Nombre de points"));
    NbreSpin->setToolTip(QStringLiteral("Plus ou moins de points"));
    Label4 = texte(QStringLiteral("="), this);
    DureeEdit = new QLineEdit(this);
    DureeEdit->setObjectName(QStringLiteral("DureeEdit"));
    DureeEdit->setAccessibleName(QStringLiteral("Durée totale"));
    DureeEdit->setToolTip(QStringLiteral("Durée totale"));
    DureeEdit->setEnabled(false);
    DureeEdit->setAlignment(Qt::AlignCenter);
    DureeEdit->setFixedWidth(DureeEdit->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00 AM")) + 14);
    for (QWidget* w : std::initializer_list<QWidget*>{LabelDeltat, DureeSB, Label3, NbreEdit, NbreSpin,
                                                      Label4, DureeEdit})
        ligne->addWidget(w);
    ligne->addStretch(1);
}

void TBandeauCinetique::construitIndicateurs()
{
    auto* ligne = static_cast<QHBoxLayout*>(layout());
    PanelDuree = indicateur(QStringLiteral("Temps écoulé"), QStringLiteral("Temps écoulé depuis le lancement"));
    PanelDuree->setObjectName(QStringLiteral("PanelDuree"));
    PanelAbs = indicateur(QStringLiteral("Dernière absorbance"), QStringLiteral("Dernière absorbance lue"));
    PanelAbs->setObjectName(QStringLiteral("PanelAbs"));
    ligne->addWidget(PanelDuree);
    ligne->addWidget(PanelAbs);
}

// Bold white text on the desktop's highlight colour, so that a run under way
// shows from across the room.
QLabel* TBandeauCinetique::indicateur(const QString& nom, const QString& aide)
{
    auto* panneau = new QLabel(QStringLiteral("00:00:00"), this);
    nommeParSonTexte(*panneau, nom);
    panneau->setToolTip(aide);
    panneau->setAlignment(Qt::AlignCenter);
    panneau->setFrameShape(QFrame::Panel);
    panneau->setFrameShadow(QFrame::Sunken);
    panneau->setAutoFillBackground(true);
    QPalette p = panneau->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::WindowText, Qt::white);
    panneau->setPalette(p);
    QFont gras = panneau->font();
    gras.setBold(true);
    panneau->setFont(gras);
    panneau->setMinimumWidth(QFontMetrics(gras).horizontalAdvance(QStringLiteral("00:00:00 AM")) + 16);
    panneau->setVisible(false);
    return panneau;
}

void TBandeauCinetique::applique(const TBoutonsCinetique& etat)
{
    LambdaBtn->setEnabled(etat.instrument);
    LambdaSE->setEnabled(etat.instrument);
    NbreSpin->setEnabled(etat.reglages);
    NbreEdit->setEnabled(etat.reglages);
    PanelDuree->setVisible(etat.indicateurs);
    PanelAbs->setVisible(etat.indicateurs);
}

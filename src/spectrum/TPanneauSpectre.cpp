#include "spectrum/TPanneauSpectre.h"

#include "spectrum/CadreFenetre.h"
#include "spectrum/TComboPorts.h"
#include "spectrum/TGroupeRadio.h"
#include "spectrum/TListeCoches.h"
#include "spectrum/TSpinEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLabel* etiquette(const QString& texte, QWidget* champ, QWidget* parent)
{
    auto* label = new QLabel(texte, parent);
    label->setBuddy(champ);
    champ->setAccessibleName(texte);
    return label;
}

} // namespace

TPanneauSpectre::TPanneauSpectre(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setFixedWidth(largeur);
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(4, 2, 4, 4);
    colonne->setSpacing(2);
    colonne->addWidget(construitLongueurs());
    VitesseRG = new TGroupeRadio(QStringLiteral("Vitesse"),
                                 {QStringLiteral("très rapide"), QStringLiteral("rapide"),
                                  QStringLiteral("moyenne"), QStringLiteral("lente"),
                                  QStringLiteral("très lente")},
                                 Qt::Vertical, this);
    VitesseRG->setItemIndex(2);
    VitesseRG->setToolTip(QStringLiteral("Vitesse de balayage du spectre"));
    colonne->addWidget(VitesseRG);
    colonne->addWidget(construitDerivees());
    YRG = new TGroupeRadio(QStringLiteral("Ordonnée"), {QStringLiteral("A"), QStringLiteral("T")},
                           Qt::Horizontal, this);
    YRG->setItemIndex(0);
    YRG->setToolTip(QStringLiteral("Absorbance (A) ou transmittance (T)"));
    colonne->addWidget(YRG);
    colonne->addStretch(1);
    colonne->addWidget(construitNote());
    colonne->addWidget(construitVerification());
    ComPorts = new TComboPorts(this);
    ComPorts->setObjectName(QStringLiteral("ComPorts"));
    ComPorts->setAccessibleName(QStringLiteral("Port série"));
    ComPorts->setToolTip(QStringLiteral("Port série de l'instrument"));
    auto* ligne = new QHBoxLayout;
    ligne->setSpacing(4);
    ligne->addWidget(etiquette(QStringLiteral("Port série"), ComPorts, this));
    ligne->addWidget(ComPorts, 1);
    colonne->addLayout(ligne);
}

QGroupBox* TPanneauSpectre::construitLongueurs()
{
    LambdaGB = new QGroupBox(QStringLiteral("Longueur d'onde (nm)"), this);
    LambdaGB->setAccessibleName(LambdaGB->title());
    DebutSE = new TSpinEdit(325, 800, 500, LambdaGB);
    DebutSE->setObjectName(QStringLiteral("DebutSE"));
    DebutSE->setToolTip(QStringLiteral("Début du spectre (nm)"));
    FinSE = new TSpinEdit(500, 1000, 800, LambdaGB);
    FinSE->setObjectName(QStringLiteral("FinSE"));
    FinSE->setToolTip(QStringLiteral("Fin du spectre (nm)"));
    auto* grille = new QGridLayout(LambdaGB);
    grille->setContentsMargins(8, 0, 8, 2);
    grille->addWidget(etiquette(QStringLiteral("Mini"), DebutSE, LambdaGB), 0, 0);
    grille->addWidget(DebutSE, 0, 1);
    grille->addWidget(etiquette(QStringLiteral("Maxi"), FinSE, LambdaGB), 1, 0);
    grille->addWidget(FinSE, 1, 1);
    return LambdaGB;
}

QGroupBox* TPanneauSpectre::construitDerivees()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Affichage dérivée"), this);
    GroupBox1->setAccessibleName(GroupBox1->title());
    AffDeriveeCB = new TListeCoches(
        {QStringLiteral("ordre 1"), QStringLiteral("ordre 2"), QStringLiteral("ordre 3")}, GroupBox1);
    AffDeriveeCB->setObjectName(QStringLiteral("AffDeriveeCB"));
    AffDeriveeCB->setAccessibleName(QStringLiteral("Affichage dérivée"));
    AffDeriveeCB->setToolTip(QStringLiteral("Dérivées du spectre à tracer"));
    auto* disposition = new QVBoxLayout(GroupBox1);
    disposition->setContentsMargins(8, 0, 8, 2);
    disposition->addWidget(AffDeriveeCB);
    return GroupBox1;
}

QLabel* TPanneauSpectre::construitNote()
{
    Memo1 = new QLabel(QStringLiteral("En cas de blocage,\nappuyer sur le bouton \nStop"), this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    QFont police = Memo1->font();
    police.setPointSize(10);
    Memo1->setFont(police);
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    Memo1->setPalette(palette);
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return Memo1;
}

QGroupBox* TPanneauSpectre::construitVerification()
{
    GroupBox3 = new QGroupBox(QStringLiteral("Vérification"), this);
    GroupBox3->setAccessibleName(GroupBox3->title());
    LambdaBtn = new QPushButton(QStringLiteral("Aller à :"), GroupBox3);
    LambdaBtn->setToolTip(QStringLiteral("Régler l'instrument sur cette longueur d'onde"));
    LambdaSE = new TSpinEdit(500, 1000, 800, GroupBox3);
    LambdaSE->setObjectName(QStringLiteral("LambdaSE"));
    LambdaSE->setAccessibleName(QStringLiteral("Aller à :"));
    LambdaSE->setToolTip(QStringLiteral("Longueur d'onde (nm)"));
    auto* nm = new QLabel(QStringLiteral("nm"), GroupBox3);
    ZeroBtn = new QPushButton(QStringLiteral("Zéro"), GroupBox3);
    ZeroBtn->setToolTip(QStringLiteral("Faire le zéro d'absorbance"));
    AbsBtn = new QPushButton(QStringLiteral("Abs ?"), GroupBox3);
    AbsBtn->setToolTip(QStringLiteral("Lire l'absorbance"));
    AbsEdit = new QLineEdit(GroupBox3);
    AbsEdit->setObjectName(QStringLiteral("AbsEdit"));
    AbsEdit->setReadOnly(true);
    AbsEdit->setEnabled(false);
    nommeParSonTexte(*AbsEdit, QStringLiteral("Abs ?"));
    AbsEdit->setToolTip(QStringLiteral("Dernière absorbance lue"));
    for (QPushButton* b : {LambdaBtn, ZeroBtn, AbsBtn}) b->setAccessibleName(b->text());
    auto* grille = new QGridLayout(GroupBox3);
    grille->setContentsMargins(8, 0, 8, 2);
    grille->setHorizontalSpacing(4);
    grille->setVerticalSpacing(2);
    grille->addWidget(LambdaBtn, 0, 0);
    grille->addWidget(LambdaSE, 0, 1);
    grille->addWidget(nm, 0, 2);
    grille->addWidget(ZeroBtn, 1, 0);
    grille->addWidget(AbsBtn, 2, 0);
    grille->addWidget(AbsEdit, 2, 1, 1, 2);
    return GroupBox3;
}

bool TPanneauSpectre::deriveeCochee(int k) const
{
    return AffDeriveeCB->estCochee(k - 1);
}

void TPanneauSpectre::applique(const TBoutonsSpectre& etat)
{
    for (QPushButton* v : {LambdaBtn, ZeroBtn, AbsBtn}) v->setEnabled(etat.verification);
}

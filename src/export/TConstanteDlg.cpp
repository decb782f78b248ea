#include "export/TConstanteDlg.h"

#include "spectrum/TGroupeRadio.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

TConstanteDlg::TConstanteDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ConstanteDlg"));
    setWindowTitle(titre);
    setModal(true);
    auto* colonne = new QVBoxLayout(this);
    auto* groupe = new QGroupBox(QStringLiteral("Commentaire"), this);
    auto* dansGroupe = new QVBoxLayout(groupe);
    EditComm = new QLineEdit(groupe);
    EditComm->setObjectName(QStringLiteral("EditComm"));
    EditComm->setAccessibleName(QStringLiteral("Commentaire"));
    EditComm->setToolTip(QStringLiteral("Commentaire écrit avec les données (page, fichier)"));
    EditComm->setMinimumWidth(EditComm->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    dansGroupe->addWidget(EditComm);
    colonne->addWidget(groupe);
    NewPageCB = new TGroupeRadio(QStringLiteral("Données vers Tabrelix"),
                                 {QStringLiteral("Nouveau fichier"), QStringLiteral("Nouvelle page")},
                                 Qt::Horizontal, this);
    NewPageCB->setObjectName(QStringLiteral("NewPageCB"));
    NewPageCB->setItemIndex(0);
    NewPageCB->setToolTip(QStringLiteral("Ouvrir un nouveau fichier de Tabrelix ou ajouter une page au fichier ouvert"));
    colonne->addWidget(NewPageCB);
    auto* boutons = new QDialogButtonBox(this);
    OKBtn = boutons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    CancelBtn = boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    HelpBtn = boutons->addButton(QStringLiteral("&Aide"), QDialogButtonBox::HelpRole);
    HelpBtn->setToolTip(QStringLiteral("Aucune aide n'est fournie pour cette boîte"));
    OKBtn->setDefault(true);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    colonne->addWidget(boutons);
}

QString TConstanteDlg::commentaire() const
{
    return EditComm->text();
}

bool TConstanteDlg::nouveauFichier() const
{
    return NewPageCB->ItemIndex() == 0;
}

void TConstanteDlg::setNouvellePage()
{
    NewPageCB->setItemIndex(1);
}

bool TConstanteDlg::confirme()
{
    if (reponse) return reponse(*this);
    adjustSize();
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        move(ecran->availableGeometry().center() - rect().center());
    OKBtn->setFocus();
    return exec() == QDialog::Accepted;
}

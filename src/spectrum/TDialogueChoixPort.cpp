#include "spectrum/TDialogueChoixPort.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TDialogueChoixPort::TDialogueChoixPort(const QStringList& entrees, QWidget* parent)
    : QDialog(parent), liste_(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Select Port"));
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel(QStringLiteral("The configured serial port is not valid."), this));
    disposition->addWidget(new QLabel(QStringLiteral("Please choose another port."), this));
    liste_->addItems(entrees);
    liste_->setAccessibleName(QStringLiteral("Port série"));
    disposition->addWidget(liste_);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    boutons->button(QDialogButtonBox::Ok)->setEnabled(!entrees.isEmpty());
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    disposition->addWidget(boutons);
}

int TDialogueChoixPort::choix() const
{
    return liste_->currentIndex();
}

int TDialogueChoixPort::choisit(QWidget* parent, const QStringList& entrees)
{
    TDialogueChoixPort dialogue(entrees, parent);
    return dialogue.exec() == QDialog::Accepted ? dialogue.choix() : -1;
}

#include "spectrum/TGroupeRadio.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

TGroupeRadio::TGroupeRadio(const QString& titre, const QStringList& choix, Qt::Orientation sens,
                           QWidget* parent)
    : QGroupBox(titre, parent), groupe_(new QButtonGroup(this))
{
    setAccessibleName(titre);
    auto* disposition = new QBoxLayout(
        sens == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    disposition->setContentsMargins(8, 0, 8, 2);
    disposition->setSpacing(sens == Qt::Vertical ? 0 : 24);
    for (int i = 0; i < choix.size(); ++i) {
        auto* bouton = new QRadioButton(choix[i], this);
        bouton->setAccessibleName(choix[i]);
        groupe_->addButton(bouton, i);
        disposition->addWidget(bouton);
    }
    if (sens == Qt::Horizontal) disposition->addStretch();
    connect(groupe_, &QButtonGroup::idClicked, this, [this] { Q_EMIT Click(); });
}

int TGroupeRadio::ItemIndex() const
{
    return groupe_->checkedId();
}

void TGroupeRadio::setItemIndex(int index)
{
    if (index >= 0 && index < nombre()) {
        groupe_->button(index)->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last choice by itself.
    groupe_->setExclusive(false);
    for (QAbstractButton* b : groupe_->buttons()) b->setChecked(false);
    groupe_->setExclusive(true);
}

QRadioButton* TGroupeRadio::bouton(int index) const
{
    return static_cast<QRadioButton*>(groupe_->button(index));
}

int TGroupeRadio::nombre() const
{
    return static_cast<int>(groupe_->buttons().size());
}

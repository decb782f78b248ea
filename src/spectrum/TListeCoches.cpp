#include "spectrum/TListeCoches.h"

#include <QCheckBox>
#include <QVBoxLayout>

TListeCoches::TListeCoches(const QStringList& choix, QWidget* parent) : QWidget(parent)
{
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    for (const QString& texte : choix) {
        auto* coche = new QCheckBox(texte, this);
        coche->setAccessibleName(texte);
        connect(coche, &QCheckBox::toggled, this, &TListeCoches::itemChanged);
        colonne->addWidget(coche);
        coches_ << coche;
    }
}

QCheckBox* TListeCoches::coche(int index) const
{
    return index >= 0 && index < count() ? coches_[index] : nullptr;
}

bool TListeCoches::estCochee(int index) const
{
    const QCheckBox* c = coche(index);
    return c != nullptr && c->isChecked();
}

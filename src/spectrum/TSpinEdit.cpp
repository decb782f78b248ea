#include "spectrum/TSpinEdit.h"

#include <QLineEdit>

#include <algorithm>

TSpinEdit::TSpinEdit(int minimum, int maximum, int valeur, QWidget* parent)
    : QAbstractSpinBox(parent), min_(minimum), max_(maximum), valeur_(valeur)
{
    setKeyboardTracking(false);
    setAccelerated(true);
    connect(this, &QAbstractSpinBox::editingFinished, this, &TSpinEdit::valideSaisie);
    afficheValeur();
}

// A lower bound above the upper one (the other end moved past it) gives the
// upper bound, as the field would have shown it.
void TSpinEdit::setValue(int valeur)
{
    const int borne = std::min(std::max(valeur, min_), max_);
    const bool change = borne != valeur_;
    valeur_ = borne;
    afficheValeur();
    if (change) Q_EMIT Change();
}

int TSpinEdit::valeurTexte() const
{
    bool lu = false;
    const int v = text().trimmed().toInt(&lu);
    return lu ? v : min_;
}

void TSpinEdit::valideSaisie()
{
    bool lu = false;
    const int v = text().trimmed().toInt(&lu);
    if (lu)
        setValue(v);
    else
        afficheValeur();
}

void TSpinEdit::stepBy(int pas)
{
    valideSaisie();
    setValue(valeur_ + pas * increment_);
    selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const
{
    StepEnabled e = StepNone;
    if (isReadOnly()) return e;
    if (valeur_ < max_) e |= StepUpEnabled;
    if (valeur_ > min_) e |= StepDownEnabled;
    return e;
}

QValidator::State TSpinEdit::validate(QString& texte, int& /*position*/) const
{
    if (texte.isEmpty()) return QValidator::Intermediate;
    if (texte == QString::number(valeur_)) return QValidator::Acceptable;
    if (texte.size() > chiffresMax_) return QValidator::Invalid;
    for (const QChar c : texte)
        if (!c.isDigit()) return QValidator::Invalid;
    return QValidator::Acceptable;
}

void TSpinEdit::fixup(QString& texte) const
{
    texte = QString::number(valeur_);
}

QSize TSpinEdit::sizeHint() const
{
    const QSize base = QAbstractSpinBox::sizeHint();
    const int texte = fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    return {std::max(base.width(), texte + 34), base.height()};
}

void TSpinEdit::afficheValeur()
{
    lineEdit()->setText(QString::number(valeur_));
}

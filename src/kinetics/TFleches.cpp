#include "kinetics/TFleches.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

TFleches::TFleches(QWidget* parent) : QAbstractSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(false);
    setReadOnly(false);
    lineEdit()->setReadOnly(true);
    lineEdit()->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);
    setFrame(false);
}

void TFleches::stepBy(int pas)
{
    if (pas > 0) Q_EMIT haut();
    if (pas < 0) Q_EMIT bas();
}

QAbstractSpinBox::StepEnabled TFleches::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

// Just the arrows: the style's button width, within the frame.
QSize TFleches::sizeHint() const
{
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    option.rect = QRect(0, 0, 200, QAbstractSpinBox::sizeHint().height());
    const QRect bouton = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    return {bouton.width(), option.rect.height()};
}

QSize TFleches::minimumSizeHint() const
{
    return sizeHint();
}

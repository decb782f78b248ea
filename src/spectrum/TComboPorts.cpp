#include "spectrum/TComboPorts.h"

TComboPorts::TComboPorts(QWidget* parent) : QComboBox(parent)
{
}

void TComboPorts::showPopup()
{
    Q_EMIT ouverture();
    QComboBox::showPopup();
}

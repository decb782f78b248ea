#include "app/TQuestionRecuperation.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

TQuestionRecuperation::TQuestionRecuperation(QWidget* parent)
    : QMessageBox(QMessageBox::Question, QStringLiteral("Lumko"), TRecuperation::question, QMessageBox::NoButton,
                  parent)
{
    oui_ = addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    non_ = addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    setDefaultButton(oui_);
}

TRecuperation::Reponse TQuestionRecuperation::reponse() const
{
    if (clickedButton() == oui_) return TRecuperation::Reponse::oui;
    if (clickedButton() == non_) return TRecuperation::Reponse::non;
    return TRecuperation::Reponse::sansReponse;
}

// A dialog's own closing rejects it, with no button clicked.
void TQuestionRecuperation::closeEvent(QCloseEvent* evenement)
{
    QDialog::closeEvent(evenement);
}

void TQuestionRecuperation::keyPressEvent(QKeyEvent* evenement)
{
    if (evenement->matches(QKeySequence::Cancel)) {
        reject();
        return;
    }
    QMessageBox::keyPressEvent(evenement);
}

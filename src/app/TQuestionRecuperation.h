#pragma once

#include "app/TRecuperation.h"

#include <QMessageBox>

class QPushButton;

// The start-up question about the journals. Only a button answers it: left to
// itself, a message box takes Escape and its closing for "Non", and "Non"
// sets the journals aside for good. Here Escape, closing the box, or the
// program being stopped while it is up leave them for the next start.
class TQuestionRecuperation : public QMessageBox {
    Q_OBJECT

public:
    explicit TQuestionRecuperation(QWidget* parent = nullptr);

    // Once the box is gone: which button ended it, if any.
    TRecuperation::Reponse reponse() const;

    QPushButton* boutonOui() const { return oui_; }
    QPushButton* boutonNon() const { return non_; }

protected:
    void closeEvent(QCloseEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    QPushButton* oui_;
    QPushButton* non_;
};

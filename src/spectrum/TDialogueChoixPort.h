#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;

// Asked when the configured port number is 0 at the moment of opening: the
// user picks one of the usable ports, or cancels the opening.
class TDialogueChoixPort : public QDialog {
    Q_OBJECT

public:
    TDialogueChoixPort(const QStringList& entrees, QWidget* parent = nullptr);

    QComboBox* liste() const { return liste_; }
    // The chosen entry's index, -1 when there is none.
    int choix() const;

    // Modal: the index chosen with OK, -1 for Cancel (or an empty list).
    static int choisit(QWidget* parent, const QStringList& entrees);

private:
    QComboBox* liste_;
};

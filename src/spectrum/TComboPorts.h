#pragma once

#include <QComboBox>

// The port list. It asks to be rebuilt each time the user opens it, so that
// an adapter plugged in after start-up shows up without a restart.
class TComboPorts : public QComboBox {
    Q_OBJECT

public:
    explicit TComboPorts(QWidget* parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void ouverture();
};

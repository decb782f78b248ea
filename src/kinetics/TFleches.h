#pragma once

#include <QAbstractSpinBox>

// A pair of up and down arrows without a field of their own: each press (or
// the Up and Down keys, or the wheel) is one step, whatever the step size the
// style would use. The value they change is shown by another control.
class TFleches : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit TFleches(QWidget* parent = nullptr);

    void stepBy(int pas) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void haut();
    void bas();

protected:
    StepEnabled stepEnabled() const override;
};

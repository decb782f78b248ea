#pragma once

#include <QAbstractSpinBox>

// An integer field with arrows whose bounds can be moved without moving its
// value: the range of a scan narrows and widens as the other end changes, and
// a value the user chose must not jump because of that. The value is brought
// into the bounds only when it is set (arrows, settings, a typed value once
// the field loses the focus or Enter is pressed). At most ChiffresMax() digits
// can be typed (3 unless set), though a value set otherwise shows whole (1100).
class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    TSpinEdit(int minimum, int maximum, int valeur, QWidget* parent = nullptr);

    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    int Value() const { return valeur_; }
    int Increment() const { return increment_; }
    int ChiffresMax() const { return chiffresMax_; }

    void setMinValue(int minimum) { min_ = minimum; }
    void setMaxValue(int maximum) { max_ = maximum; }
    void setIncrement(int increment) { increment_ = increment; }
    void setChiffresMax(int chiffres) { chiffresMax_ = chiffres; }
    // Brought into the bounds; Change is emitted when the value moves.
    void setValue(int valeur);

    // The text as an integer, or the minimum when it is not one: what the
    // settings keep, typed or not.
    int valeurTexte() const;
    // Takes a typed value now (before a command reads the field).
    void valideSaisie();

    void stepBy(int pas) override;
    QSize sizeHint() const override;

Q_SIGNALS:
    void Change();

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& texte, int& position) const override;
    void fixup(QString& texte) const override;

private:
    void afficheValeur();

    int min_;
    int max_;
    int valeur_;
    int increment_ = 10;
    int chiffresMax_ = 3;
};

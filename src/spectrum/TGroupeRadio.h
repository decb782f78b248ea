#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A titled group of exclusive choices read and set by index, where -1 means
// that nothing is chosen (possible from the settings file).
class TGroupeRadio : public QGroupBox {
    Q_OBJECT

public:
    TGroupeRadio(const QString& titre, const QStringList& choix, Qt::Orientation sens,
                 QWidget* parent = nullptr);

    int ItemIndex() const;
    // Without Click: the caller decides whether a change counts as the user's.
    void setItemIndex(int index);
    QRadioButton* bouton(int index) const;
    int nombre() const;

Q_SIGNALS:
    // The user chose an entry.
    void Click();

private:
    QButtonGroup* groupe_;
};

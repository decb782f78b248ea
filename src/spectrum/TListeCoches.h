#pragma once

#include <QWidget>
#include <QList>
#include <QStringList>

class QCheckBox;

// A short list of choices each ticked on its own. Each choice is a check box
// of its own, so that keyboard and screen readers tick it exactly as a click
// does.
class TListeCoches : public QWidget {
    Q_OBJECT

public:
    TListeCoches(const QStringList& choix, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(coches_.size()); }
    // The choice at index, nullptr out of range.
    QCheckBox* coche(int index) const;
    bool estCochee(int index) const;

Q_SIGNALS:
    // A choice was ticked or cleared, by the user or by the program.
    void itemChanged();

private:
    QList<QCheckBox*> coches_;
};

#pragma once

#include <QAccessibleWidget>

class QAbstractButton;

// What assistive technology sees of every button of the program (tool
// buttons, push buttons, check boxes, radio buttons, the buttons of the
// boxes).
//
// Two things differ from what Qt offers by itself. The action of a checkable
// button is a click, not a bare toggle of its state: the program listens to
// clicks, so a toggle left "Connect." pressed with nothing connected. And
// every action returns at once, the click following from the event loop: a
// click may open a modal box or wait on the instrument, and a screen reader
// that asked for it must not freeze meanwhile (nor lose the way to "Stop").
class TAccessibleBouton : public QAccessibleWidget {
public:
    explicit TAccessibleBouton(QAbstractButton* bouton);

    // Makes every button of the application use this interface. Call once,
    // after the application object exists.
    static void installe();

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* enfant) const override;

    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    QAbstractButton* bouton() const;
    QWidget* menu() const;
};

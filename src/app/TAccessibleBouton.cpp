#include "app/TAccessibleBouton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

namespace {

QAccessibleInterface* fabrique(const QString& /*classe*/, QObject* objet)
{
    if (auto* bouton = qobject_cast<QAbstractButton*>(objet)) return new TAccessibleBouton(bouton);
    return nullptr;
}

// "&Oui" reads "Oui"; "&&" stands for one ampersand.
QString sansEsperluette(const QString& texte)
{
    QString resultat;
    resultat.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte[i] == u'&') {
            if (i + 1 < texte.size() && texte[i + 1] == u'&') resultat += u'&';
            else continue;
            ++i;
        } else {
            resultat += texte[i];
        }
    }
    return resultat;
}

// Later, from the event loop: the caller of the action has had its answer
// by then. A button deleted or disabled meanwhile does nothing.
void plusTard(QAbstractButton* bouton, void (*faire)(QAbstractButton&))
{
    QTimer::singleShot(0, bouton, [b = QPointer<QAbstractButton>(bouton), faire] {
        if (b != nullptr && b->isEnabled()) faire(*b);
    });
}

void ouvreMenu(QAbstractButton& bouton)
{
    if (auto* outil = qobject_cast<QToolButton*>(&bouton)) outil->showMenu();
    else if (auto* poussoir = qobject_cast<QPushButton*>(&bouton)) poussoir->showMenu();
}

} // namespace

TAccessibleBouton::TAccessibleBouton(QAbstractButton* bouton)
    : QAccessibleWidget(bouton, QAccessible::Button)
{
}

void TAccessibleBouton::installe()
{
    QAccessible::installFactory(fabrique);
}

QAbstractButton* TAccessibleBouton::bouton() const
{
    return static_cast<QAbstractButton*>(widget());
}

QWidget* TAccessibleBouton::menu() const
{
    if (auto* outil = qobject_cast<QToolButton*>(bouton())) return outil->menu();
    if (auto* poussoir = qobject_cast<QPushButton*>(bouton())) return poussoir->menu();
    return nullptr;
}

QAccessible::Role TAccessibleBouton::role() const
{
    const QAbstractButton* b = bouton();
    if (qobject_cast<const QRadioButton*>(b)) return QAccessible::RadioButton;
    if (qobject_cast<const QCheckBox*>(b)) return QAccessible::CheckBox;
    if (menu() != nullptr) return QAccessible::ButtonMenu;
    if (b->isCheckable()) return b->autoExclusive() ? QAccessible::RadioButton : QAccessible::CheckBox;
    return QAccessible::Button;
}

QAccessible::State TAccessibleBouton::state() const
{
    QAccessible::State etat = QAccessibleWidget::state();
    const QAbstractButton* b = bouton();
    if (b->isCheckable()) {
        etat.checkable = true;
        etat.checked = b->isChecked();
    }
    if (const auto* coche = qobject_cast<const QCheckBox*>(b);
        coche != nullptr && coche->checkState() == Qt::PartiallyChecked) {
        etat.checkStateMixed = true;
        etat.checked = false;
    }
    if (b->isDown()) etat.pressed = true;
    if (const auto* poussoir = qobject_cast<const QPushButton*>(b))
        etat.defaultButton = poussoir->isDefault();
    if (menu() != nullptr) etat.hasPopup = true;
    return etat;
}

QString TAccessibleBouton::text(QAccessible::Text t) const
{
    QString texte;
    if (t == QAccessible::Name) {
        texte = widget()->accessibleName();
        if (texte.isEmpty()) texte = sansEsperluette(bouton()->text());
        if (texte.isEmpty()) texte = bouton()->toolTip();
    } else if (t == QAccessible::Accelerator) {
        const QKeySequence raccourci = QKeySequence::mnemonic(bouton()->text());
        texte = raccourci.toString(QKeySequence::NativeText);
    }
    return texte.isEmpty() ? QAccessibleWidget::text(t) : texte;
}

// A button with a menu offers that menu as its only child, as the desktop's
// own toolkits do, so that "vers fichier" and its neighbours can be reached.
int TAccessibleBouton::childCount() const
{
    return menu() != nullptr ? 1 : 0;
}

QAccessibleInterface* TAccessibleBouton::child(int index) const
{
    QWidget* m = menu();
    return index == 0 && m != nullptr ? QAccessible::queryAccessibleInterface(m) : nullptr;
}

int TAccessibleBouton::indexOfChild(const QAccessibleInterface* enfant) const
{
    QWidget* m = menu();
    return m != nullptr && enfant != nullptr && enfant->object() == m ? 0 : -1;
}

QStringList TAccessibleBouton::actionNames() const
{
    QStringList noms;
    if (widget()->isEnabled()) {
        if (bouton()->isCheckable()) noms << toggleAction();
        noms << pressAction();
        if (menu() != nullptr) noms << showMenuAction();
    }
    return noms + QAccessibleWidget::actionNames();
}

void TAccessibleBouton::doAction(const QString& action)
{
    if (!widget()->isEnabled()) return;
    if (action == pressAction() || action == toggleAction())
        plusTard(bouton(), [](QAbstractButton& b) { b.click(); });
    else if (action == showMenuAction() && menu() != nullptr)
        plusTard(bouton(), ouvreMenu);
    else
        QAccessibleWidget::doAction(action);
}

QStringList TAccessibleBouton::keyBindingsForAction(const QString& action) const
{
    if (action == pressAction() || action == toggleAction()) {
        const QKeySequence raccourci = QKeySequence::mnemonic(bouton()->text());
        if (!raccourci.isEmpty()) return {raccourci.toString(QKeySequence::NativeText)};
    }
    return QAccessibleWidget::keyBindingsForAction(action);
}

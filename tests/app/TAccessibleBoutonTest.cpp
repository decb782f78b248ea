#include "app/TAccessibleBouton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// The tests run under the program's application object, which installs the
// interface for every button.
namespace {

QAccessibleInterface* accessible(QWidget* w)
{
    return QAccessible::queryAccessibleInterface(w);
}

QAccessibleActionInterface* actions(QWidget* w)
{
    QAccessibleInterface* i = accessible(w);
    return i != nullptr ? i->actionInterface() : nullptr;
}

struct CasBouton {
    const char* nom;
    std::function<QAbstractButton*(QWidget&)> fabrique;
    QAccessible::Role role;
    bool cocheApres; // its checked state after one click
};

class AccessibleBouton : public ::testing::TestWithParam<CasBouton> {
protected:
    QWidget fenetre;
};

// Whatever the kind of button, its first action is one click, done after the
// call has returned: a check box is ticked, a radio button chosen, "Connect."
// pressed, and the handlers listening to clicks hear it.
TEST_P(AccessibleBouton, laPremiereActionEstUnClicQuiSuitLAppel)
{
    const CasBouton& cas = GetParam();
    QAbstractButton* bouton = cas.fabrique(fenetre);
    int clics = 0;
    QObject::connect(bouton, &QAbstractButton::clicked, [&clics] { ++clics; });
    fenetre.show();

    QAccessibleInterface* i = accessible(bouton);
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->role(), cas.role);
    QAccessibleActionInterface* a = i->actionInterface();
    ASSERT_NE(a, nullptr);
    ASSERT_FALSE(a->actionNames().isEmpty());
    a->doAction(a->actionNames().first());
    EXPECT_EQ(clics, 0) << "the click must not run inside the caller's request";
    QApplication::processEvents();
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(bouton->isChecked(), cas.cocheApres);
    EXPECT_EQ(i->state().checked, cas.cocheApres);
}

INSTANTIATE_TEST_SUITE_P(
    ChaqueSorte, AccessibleBouton,
    ::testing::Values(
        CasBouton{"poussoir", [](QWidget& f) { return new QPushButton(QStringLiteral("Abs ?"), &f); },
                  QAccessible::Button, false},
        CasBouton{"connecter",
                  [](QWidget& f) {
                      auto* b = new QToolButton(&f);
                      b->setText(QStringLiteral("Connect."));
                      b->setCheckable(true);
                      return b;
                  },
                  QAccessible::CheckBox, true},
        CasBouton{"coche", [](QWidget& f) { return new QCheckBox(QStringLiteral("ordre 1"), &f); },
                  QAccessible::CheckBox, true},
        CasBouton{"radio",
                  [](QWidget& f) {
                      auto* groupe = new QButtonGroup(&f);
                      auto* premier = new QRadioButton(QStringLiteral("A"), &f);
                      auto* second = new QRadioButton(QStringLiteral("T"), &f);
                      groupe->addButton(premier);
                      groupe->addButton(second);
                      premier->setChecked(true);
                      return second;
                  },
                  QAccessible::RadioButton, true}),
    [](const auto& info) { return std::string(info.param.nom); });

// A click that opens a modal box: the action has returned long before the
// box is answered. If it did not return, the box would be closed by the
// guard below and the order of events would show it.
TEST(AccessibleBoutonModal, lActionRevientAvantLaBoite)
{
    QWidget fenetre;
    auto* bouton = new QToolButton(&fenetre);
    bouton->setText(QStringLiteral("Repère"));
    QStringList ordre;
    QObject::connect(bouton, &QToolButton::clicked, [&ordre] {
        ordre << QStringLiteral("boîte ouverte");
        QMessageBox boite(QMessageBox::Question, QStringLiteral("Repère"), QStringLiteral("Texte ?"),
                          QMessageBox::Ok);
        QTimer::singleShot(0, &boite, &QMessageBox::accept);
        boite.exec();
        ordre << QStringLiteral("boîte fermée");
    });
    fenetre.show();
    actions(bouton)->doAction(QAccessibleActionInterface::pressAction());
    ordre << QStringLiteral("action revenue");
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(ordre, (QStringList{QStringLiteral("action revenue"), QStringLiteral("boîte ouverte"),
                                  QStringLiteral("boîte fermée")}));
}

TEST(AccessibleBoutonEtat, desactiveNomEtMenu)
{
    QWidget fenetre;
    auto* oui = new QPushButton(QStringLiteral("&Oui && Non"), &fenetre);
    auto* nomme = new QPushButton(QStringLiteral("&Oui"), &fenetre);
    nomme->setAccessibleName(QStringLiteral("Confirmer"));
    auto* sauver = new QToolButton(&fenetre);
    sauver->setText(QStringLiteral("Sauver"));
    auto* menu = new QMenu(sauver);
    menu->addAction(QStringLiteral("vers fichier"));
    sauver->setMenu(menu);
    sauver->setPopupMode(QToolButton::MenuButtonPopup);
    fenetre.show();

    EXPECT_EQ(accessible(oui)->text(QAccessible::Name), QStringLiteral("Oui & Non"));
    EXPECT_EQ(accessible(nomme)->text(QAccessible::Name), QStringLiteral("Confirmer"));

    QAccessibleInterface* s = accessible(sauver);
    EXPECT_EQ(s->role(), QAccessible::ButtonMenu);
    EXPECT_TRUE(s->state().hasPopup);
    ASSERT_EQ(s->childCount(), 1);
    EXPECT_EQ(s->child(0)->object(), menu);
    EXPECT_EQ(s->indexOfChild(s->child(0)), 0);
    EXPECT_TRUE(s->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));

    int clics = 0;
    QObject::connect(oui, &QPushButton::clicked, [&clics] { ++clics; });
    oui->setEnabled(false);
    EXPECT_FALSE(actions(oui)->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions(oui)->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(clics, 0);
    // Disabled between the request and its turn: still nothing.
    oui->setEnabled(true);
    actions(oui)->doAction(QAccessibleActionInterface::pressAction());
    oui->setEnabled(false);
    QApplication::processEvents();
    EXPECT_EQ(clics, 0);
}

} // namespace

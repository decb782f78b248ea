#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QString>

#include <set>
#include <utility>

// What a screen reader or a desktop test robot finds in a window: every
// (role, name) pair of its accessibility tree.
using RoleAccessible = QAccessible::Role;
using NomsAccessibles = std::set<std::pair<RoleAccessible, QString>>;

// A combo box on Linux is named by its text; the label that names it is
// given as a relation, which is how screen readers announce it.
inline QString etiquetteRelation(QAccessibleInterface* i)
{
    for (const auto& [autre, relation] : i->relations(QAccessible::Label))
        if (autre != nullptr) return autre->text(QAccessible::Name);
    return {};
}

inline void collecteNoms(QAccessibleInterface* i, NomsAccessibles& trouves, int profondeur = 0)
{
    if (i == nullptr || profondeur > 30) return;
    trouves.insert({i->role(), i->text(QAccessible::Name)});
    if (i->role() == RoleAccessible::ComboBox) trouves.insert({i->role(), etiquetteRelation(i)});
    for (int k = 0; k < i->childCount(); ++k) collecteNoms(i->child(k), trouves, profondeur + 1);
}

inline NomsAccessibles nomsAccessibles(QObject* fenetre)
{
    NomsAccessibles trouves;
    collecteNoms(QAccessible::queryAccessibleInterface(fenetre), trouves);
    return trouves;
}

#include "spectrum/BoutonsBarre.h"

#include <QActionGroup>
#include <QIcon>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

void prepareBarre(QToolBar& barre)
{
    barre.setObjectName(QStringLiteral("ToolBar1"));
    barre.setAccessibleName(QStringLiteral("Barre d'outils"));
    barre.setMovable(false);
    barre.setFloatable(false);
    barre.setIconSize(QSize(20, 20));
    barre.setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    barre.setContextMenuPolicy(Qt::PreventContextMenu);
    // The button that shows the buttons a narrow window hides has no text.
    if (auto* suite = barre.findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        suite->setAccessibleName(QStringLiteral("Autres boutons"));
}

QIcon iconeLumko(const QString& nom)
{
    return QIcon(QStringLiteral(":/icones/%1.svg").arg(nom));
}

QToolButton* ajouteBoutonBarre(QToolBar& barre, const QString& texte, const QString& icone,
                               const QString& aide, int hauteur, int largeurMin)
{
    auto* bouton = new QToolButton(&barre);
    bouton->setText(texte);
    bouton->setIcon(iconeLumko(icone));
    bouton->setToolTip(aide);
    bouton->setAccessibleDescription(aide);
    bouton->setIconSize(QSize(20, 20));
    bouton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bouton->setAutoRaise(true);
    // Tool bar buttons take no focus by default; keyboard users need them.
    bouton->setFocusPolicy(Qt::TabFocus);
    bouton->setFixedHeight(hauteur);
    // At least as wide as the instrument's users know it, wider when the
    // desktop's font needs it: a caption is never cut.
    if (largeurMin > 0) bouton->setMinimumWidth(largeurMin);
    barre.addWidget(bouton);
    return bouton;
}

TMenuSauver construitMenuSauver(QToolButton& SaveBtn)
{
    TMenuSauver m;
    m.menu = new QMenu(&SaveBtn);
    auto* groupe = new QActionGroup(m.menu);
    groupe->setExclusive(true);
    const auto item = [&](const QString& texte, const QString& icone) {
        QAction* action = m.menu->addAction(iconeLumko(icone), texte);
        action->setCheckable(true);
        groupe->addAction(action);
        return action;
    };
    m.TabrelixM = item(QStringLiteral("vers Tabrelix"), QStringLiteral("tabrelix"));
    m.ClipM = item(QStringLiteral("vers presse papiers"), QStringLiteral("pressepapiers"));
    m.FileM = item(QStringLiteral("vers fichier"), QStringLiteral("fichier"));
    m.TabrelixM->setChecked(true);
    SaveBtn.setMenu(m.menu);
    SaveBtn.setPopupMode(QToolButton::MenuButtonPopup);
    return m;
}

#include "spectrum/TBarreSpectre.h"

#include <QActionGroup>
#include <QIcon>
#include <QMenu>
#include <QToolButton>

namespace {

QIcon icone(const QString& nom)
{
    return QIcon(QStringLiteral(":/icones/%1.svg").arg(nom));
}

} // namespace

TBarreSpectre::TBarreSpectre(QWidget* parent) : QToolBar(QStringLiteral("Barre d'outils"), parent)
{
    setObjectName(QStringLiteral("ToolBar1"));
    setAccessibleName(QStringLiteral("Barre d'outils"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(20, 20));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setContextMenuPolicy(Qt::PreventContextMenu);

    ConnectBtn = ajoute(QStringLiteral("Connect."), QStringLiteral("connecter"),
                        QStringLiteral("Ouvrir ou fermer la liaison avec le spectrophotomètre"), true);
    ConnectBtn->setCheckable(true);
    BlancBtn = ajoute(QStringLiteral("Blanc"), QStringLiteral("blanc"),
                      QStringLiteral("Mettre la cuve avec le solvant puis cliquer ici"), false);
    SpectreBtn = ajoute(QStringLiteral("Spectre"), QStringLiteral("spectre"),
                        QStringLiteral("Mettre la cuve avec l'échantillon puis cliquer ici"), false);
    AddBtn = ajoute(QStringLiteral("Conserver"), QStringLiteral("conserver"),
                    QStringLiteral("Conserver la courbe courante"), true);
    StopBtn = ajoute(QStringLiteral("Stop"), QStringLiteral("stop"),
                     QStringLiteral("Arrêt de l'acquisition"), false);
    PrintBtn = ajoute(QStringLiteral("Imprimer"), QStringLiteral("imprimer"),
                      QStringLiteral("Impression du graphe"), false);
    SaveBtn = ajoute(QStringLiteral("Sauver"), QStringLiteral("sauver"),
                     QStringLiteral("Supprimer tous les spectres"), false);
    CinetiqueBtn = ajoute(QStringLiteral("Cinétique"), QStringLiteral("cinetique"),
                          QStringLiteral("Ouvrir la fenêtre de cinétique"), true);
    ExitBtn = ajoute(QStringLiteral("Quitter"), QStringLiteral("quitter"),
                     QStringLiteral("Quitter le programme"), false);
    construitMenuSauver();
}

QToolButton* TBarreSpectre::ajoute(const QString& texte, const QString& nomIcone,
                                   const QString& aide, bool large)
{
    auto* bouton = new QToolButton(this);
    bouton->setText(texte);
    bouton->setIcon(icone(nomIcone));
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
    if (large) bouton->setMinimumWidth(largeurLarge);
    addWidget(bouton);
    return bouton;
}

void TBarreSpectre::construitMenuSauver()
{
    SavePopupMenu = new QMenu(SaveBtn);
    auto* groupe = new QActionGroup(SavePopupMenu);
    groupe->setExclusive(true);
    const auto item = [&](const QString& texte) {
        QAction* action = SavePopupMenu->addAction(texte);
        action->setCheckable(true);
        groupe->addAction(action);
        return action;
    };
    TabrelixM = item(QStringLiteral("vers Tabrelix"));
    ClipM = item(QStringLiteral("vers presse papiers"));
    FileM = item(QStringLiteral("vers fichier"));
    TabrelixM->setChecked(true);
    SaveBtn->setMenu(SavePopupMenu);
    SaveBtn->setPopupMode(QToolButton::MenuButtonPopup);
}

QList<QToolButton*> TBarreSpectre::boutons() const
{
    return {ConnectBtn, BlancBtn,  SpectreBtn,   AddBtn, StopBtn,
            PrintBtn,   SaveBtn,   CinetiqueBtn, ExitBtn};
}

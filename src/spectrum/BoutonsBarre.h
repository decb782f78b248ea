#pragma once

#include <QString>

class QAction;
class QIcon;
class QMenu;
class QToolBar;
class QToolButton;

// What the tool bars of both acquisition windows share: captioned icon
// buttons that keyboard users can reach, and the "Sauver" button's choice of
// destination.

// A fixed bar of captioned 20 x 20 icons, named "Barre d'outils" for
// screen readers, without the context menu that would let it be hidden.
void prepareBarre(QToolBar& barre);

// An icon of the program's resources, by name (":/icones/<nom>.svg").
QIcon iconeLumko(const QString& nom);

// A button with its icon, its caption to the right of the icon and its help
// text as tooltip, appended to the bar. largeurMin 0: as wide as its caption.
QToolButton* ajouteBoutonBarre(QToolBar& barre, const QString& texte, const QString& icone,
                               const QString& aide, int hauteur, int largeurMin = 0);

// The three exclusive destinations of "Sauver", "vers Tabrelix" checked.
struct TMenuSauver {
    QMenu* menu = nullptr;
    QAction* TabrelixM = nullptr;
    QAction* ClipM = nullptr;
    QAction* FileM = nullptr;
};

// Builds the menu and gives it to the button as its drop-down part.
TMenuSauver construitMenuSauver(QToolButton& SaveBtn);

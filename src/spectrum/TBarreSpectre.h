#pragma once

#include <QToolBar>

#include "spectrum/BoutonsSpectre.h"

class QAction;
class QActionGroup;
class QMenu;
class QToolButton;

// The tool bar of the main window: icon-and-caption buttons in the order the
// instrument's users learn them, and the "Sauver" button with its choice of
// destination.
class TBarreSpectre : public QToolBar {
    Q_OBJECT

public:
    static constexpr int hauteur = 34;
    static constexpr int largeurLarge = 88;

    explicit TBarreSpectre(QWidget* parent = nullptr);

    QToolButton* ConnectBtn;
    QToolButton* BlancBtn;
    QToolButton* SpectreBtn;
    QToolButton* AddBtn;
    QToolButton* StopBtn;
    QToolButton* PrintBtn;
    QToolButton* SaveBtn;
    QToolButton* CinetiqueBtn;
    QToolButton* ExitBtn;

    QMenu* SavePopupMenu;
    QAction* TabrelixM;
    QAction* ClipM;
    QAction* FileM;

    // Every button, in tool bar order.
    QList<QToolButton*> boutons() const;
    // Enables the buttons as the refresh decided.
    void applique(const TBoutonsSpectre& etat);

private:
    QToolButton* ajoute(const QString& texte, const QString& icone, const QString& aide,
                        bool large);
    void construitMenuSauver();
};

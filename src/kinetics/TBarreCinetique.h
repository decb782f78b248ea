#pragma once

#include <QToolBar>

#include "kinetics/BoutonsCinetique.h"

class QAction;
class QMenu;
class QToolButton;

// The tool bar of the kinetics window, under the top strip: blank, start,
// marker, stop, reset, save with its choice of destination, print, close.
class TBarreCinetique : public QToolBar {
    Q_OBJECT

public:
    static constexpr int hauteur = 34;

    explicit TBarreCinetique(QWidget* parent = nullptr);

    QToolButton* ZeroBtn;
    QToolButton* StartBtn;
    QToolButton* RepereBtn;
    QToolButton* StopBtn;
    QToolButton* ResetBtn;
    QToolButton* SaveBtn;
    QToolButton* PrintBtn;
    QToolButton* ExitBtn;

    QMenu* SavePopupMenu;
    QAction* TabrelixM;
    QAction* ClipM;
    QAction* FileM;

    // Every button, in tool bar order.
    QList<QToolButton*> boutons() const;
    void applique(const TBoutonsCinetique& etat);
};

#include "spectrum/CadreFenetre.h"

#include "common/TJournalMesures.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

namespace {

constexpr int hauteurLigneEtat = 19;

} // namespace

QLabel* ajouteLigneEtat(QMainWindow& fenetre)
{
    auto* ligne = new QLabel(&fenetre);
    ligne->setObjectName(QStringLiteral("StatusBar1"));
    ligne->setAccessibleName(QStringLiteral("Ligne d'état"));
    fenetre.statusBar()->addWidget(ligne, 1);
    fenetre.statusBar()->setSizeGripEnabled(false);
    fenetre.statusBar()->setFixedHeight(hauteurLigneEtat);
    return ligne;
}

void metAuPremierPlan(QWidget& fenetre)
{
    fenetre.setWindowState(fenetre.windowState() & ~Qt::WindowMinimized);
    fenetre.show();
    fenetre.raise();
    fenetre.activateWindow();
}

void synchroniseChaqueSeconde(QObject& proprietaire, TJournalMesures& journal)
{
    auto* minuterie = new QTimer(&proprietaire);
    QObject::connect(minuterie, &QTimer::timeout, &proprietaire, [&journal] { journal.synchronise(); });
    minuterie->start(1000);
}

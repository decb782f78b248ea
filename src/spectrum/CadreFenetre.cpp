#include "spectrum/CadreFenetre.h"

#include "common/TJournalMesures.h"

#include <QLabel>
#include <QLineEdit>
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
    nommeParSonTexte(*ligne, QStringLiteral("Ligne d'état"));
    fenetre.statusBar()->addWidget(ligne, 1);
    fenetre.statusBar()->setSizeGripEnabled(false);
    fenetre.statusBar()->setFixedHeight(hauteurLigneEtat);
    return ligne;
}

// A label without an accessible name of its own is named by its text, and Qt
// announces the new name with each setText.
void nommeParSonTexte(QLabel& affichage, const QString& description)
{
    affichage.setAccessibleName(QString());
    affichage.setAccessibleDescription(description);
}

// A line edit is named by its label only; its name follows its text here,
// each change announced by setAccessibleName. Empty, it keeps the label's.
void nommeParSonTexte(QLineEdit& affichage, const QString& description)
{
    affichage.setAccessibleDescription(description);
    const auto suit = [&affichage, description](const QString& texte) {
        affichage.setAccessibleName(texte.isEmpty() ? description : texte);
    };
    suit(affichage.text());
    QObject::connect(&affichage, &QLineEdit::textChanged, &affichage, suit);
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

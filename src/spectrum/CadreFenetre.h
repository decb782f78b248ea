#pragma once

class QLabel;
class QMainWindow;
class QObject;
class QWidget;
class TJournalMesures;

// What both acquisition windows share of their frame.

// The status line: one text across the whole width, 19 pixels high, named
// "Ligne d'état" for screen readers.
QLabel* ajouteLigneEtat(QMainWindow& fenetre);

// Shows the window in front of the others, restored if it was minimised.
void metAuPremierPlan(QWidget& fenetre);

// What the journal has written reaches the disk at least once a second, for
// as long as proprietaire lives.
void synchroniseChaqueSeconde(QObject& proprietaire, TJournalMesures& journal);

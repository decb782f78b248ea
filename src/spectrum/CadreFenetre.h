#pragma once

class QLabel;
class QLineEdit;
class QMainWindow;
class QString;
class QObject;
class QWidget;
class TJournalMesures;

// What both acquisition windows share of their frame.

// The status line: one text across the whole width, 19 pixels high. Screen
// readers read its text as its name, and hear each new message; "Ligne
// d'état" is its description.
QLabel* ajouteLigneEtat(QMainWindow& fenetre);

// A display whose text is what matters (a message, an elapsed time, a
// reading): its accessible name is its current text, so that each change is
// announced, and what it shows is its description.
void nommeParSonTexte(QLabel& affichage, const QString& description);
void nommeParSonTexte(QLineEdit& affichage, const QString& description);

// Shows the window in front of the others, restored if it was minimised.
void metAuPremierPlan(QWidget& fenetre);

// What the journal has written reaches the disk at least once a second, for
// as long as proprietaire lives.
void synchroniseChaqueSeconde(QObject& proprietaire, TJournalMesures& journal);

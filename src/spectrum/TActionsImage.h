#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;
class Tgraphe;

// "Copier l'image" and "Enregistrer l'image…" of a graph's pop-up menu: the
// graph as a PNG on the clipboard, or as a PNG, SVG or PDF file.
class TActionsImage : public QObject {
    Q_OBJECT

public:
    static inline const QString filtres =
        QStringLiteral("Image PNG (*.png);;Image vectorielle SVG (*.svg);;Document PDF (*.pdf)");

    // Appends the two items to the menu; fenetre is the parent of the boxes.
    TActionsImage(Tgraphe& graphe, QWidget& fenetre, QMenu& menu);

    QAction* CopieImageItem;
    QAction* EnregistreImageItem;

    void CopieImageClick();
    void EnregistreImageClick();

    // The name chosen in the save dialog (empty when cancelled) and the box
    // that says why a file was not written; replaceable in tests.
    std::function<QString(QWidget* parent)> dialogue;
    std::function<void(QWidget* parent, const QString& texte)> boiteErreur;

private:
    Tgraphe& graphe_;
    QWidget& fenetre_;
};

#include "spectrum/TActionsImage.h"

#include "graph/ImagesGraphe.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>

namespace {

QString choisitImage(QWidget* parent)
{
    QFileDialog dialogue(parent, QStringLiteral("Enregistrer l'image du graphe"));
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setNameFilters(TActionsImage::filtres.split(QStringLiteral(";;")));
    dialogue.setDefaultSuffix(QStringLiteral("png"));
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return {};
    return dialogue.selectedFiles().constFirst();
}

void avertit(QWidget* parent, const QString& texte)
{
    QMessageBox::warning(parent, QStringLiteral("Lumko"), texte);
}

} // namespace

TActionsImage::TActionsImage(Tgraphe& graphe, QWidget& fenetre, QMenu& menu)
    : QObject(&menu), dialogue(choisitImage), boiteErreur(avertit), graphe_(graphe), fenetre_(fenetre)
{
    CopieImageItem = menu.addAction(QStringLiteral("Copier l'image"));
    CopieImageItem->setToolTip(QStringLiteral("Mettre le graphe dans le presse-papiers, en image PNG"));
    EnregistreImageItem = menu.addAction(QStringLiteral("Enregistrer l'image…"));
    EnregistreImageItem->setToolTip(QStringLiteral("Enregistrer le graphe en PNG, SVG ou PDF"));
    connect(CopieImageItem, &QAction::triggered, this, &TActionsImage::CopieImageClick);
    // Queued: the file box must not open inside whoever triggered the item,
    // a screen reader's request for instance, which would wait for its end.
    connect(EnregistreImageItem, &QAction::triggered, this, &TActionsImage::EnregistreImageClick,
            Qt::QueuedConnection);
}

void TActionsImage::CopieImageClick()
{
    QGuiApplication::clipboard()->setImage(imageGraphe(graphe_));
}

void TActionsImage::EnregistreImageClick()
{
    const QString chemin = dialogue(&fenetre_);
    if (chemin.isEmpty()) return;
    const QString raison = enregistreImageGraphe(graphe_, chemin);
    if (!raison.isEmpty())
        boiteErreur(&fenetre_, QStringLiteral("Impossible d'enregistrer l'image « %1 » : %2.")
                                   .arg(QDir::toNativeSeparators(chemin), raison));
}

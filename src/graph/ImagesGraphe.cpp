#include "graph/ImagesGraphe.h"

#include "graph/TMiseEnPage.h"
#include "graph/TSurfaceQPainter.h"
#include "graph/Tgraphe.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

// Drawn as on a screen of that width: the graph takes wider areas for
// printer pages.
void dessine(Tgraphe& graphe, QPaintDevice& support, QSize taille)
{
    const TMiseEnPage ecran(graphe);
    const int largeurEcran = graphe.largeurEcran;
    {
        QPainter peintre(&support);
        peintre.setRenderHint(QPainter::Antialiasing);
        TSurfaceQPainter surface(peintre, {0, 0, taille.width(), taille.height()});
        graphe.largeurEcran = taille.width() + 2;
        graphe.Draw(surface);
    }
    graphe.largeurEcran = largeurEcran;
    ecran.restaure(graphe);
}

bool dessineSvg(Tgraphe& graphe, QIODevice& sortie, QSize taille)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&sortie);
    svg.setSize(taille);
    svg.setViewBox(QRect(QPoint(0, 0), taille));
    svg.setTitle(QStringLiteral("Graphe Lumko"));
    svg.setDescription(QStringLiteral("Graphe enregistré par Lumko"));
    dessine(graphe, svg, taille);
    return true;
}

// One page of the picture's proportions, 10 device pixels per millimetre.
bool dessinePdf(Tgraphe& graphe, QIODevice& sortie, QSize taille)
{
    QPdfWriter pdf(&sortie);
    pdf.setCreator(QStringLiteral("Lumko"));
    pdf.setTitle(QStringLiteral("Graphe Lumko"));
    pdf.setResolution(254);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(taille.width() / 10.0, taille.height() / 10.0), QPageSize::Millimeter,
                              QStringLiteral("Graphe"), QPageSize::ExactMatch));
    dessine(graphe, pdf, QSize(pdf.width(), pdf.height()));
    return true;
}

} // namespace

QImage imageGraphe(Tgraphe& graphe, QSize taille)
{
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::white);
    dessine(graphe, image, taille);
    return image;
}

QString enregistreImageGraphe(Tgraphe& graphe, const QString& chemin, QSize taille)
{
    if (QFileInfo(chemin).isDir()) return QStringLiteral("un dossier porte déjà ce nom");
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return QFileInfo(QFileInfo(chemin).absolutePath()).exists() ? QStringLiteral("le fichier ne peut être créé")
                                                                    : QStringLiteral("le dossier n'existe pas");
    const QString extension = QFileInfo(chemin).suffix().toLower();
    bool ecrit = false;
    if (extension == u"svg")
        ecrit = dessineSvg(graphe, fichier, taille);
    else if (extension == u"pdf")
        ecrit = dessinePdf(graphe, fichier, taille);
    else
        ecrit = imageGraphe(graphe, taille).save(&fichier, "PNG");
    if (!ecrit || fichier.error() != QFileDevice::NoError) {
        fichier.cancelWriting();
        return QStringLiteral("l'écriture a échoué (disque plein ?)");
    }
    if (!fichier.commit()) return QStringLiteral("l'écriture a échoué (disque plein ?)");
    return {};
}

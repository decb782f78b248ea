#include "graph/TPicsGraphe.h"

#include "graph/Tgraphe.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

int nombre(const Tgraphe& g)
{
    return std::clamp<int>(g.nbrePoints, 0, tailleVecteur);
}

QString decimal(double v, int decimales, const QLocale& locale)
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'f', decimales);
}

} // namespace

// The key of a curve: its count and a few of its values. A curve being
// scanned changes its count; a new curve its first values.
const std::vector<TPic>& TPicsGraphe::pics()
{
    const int n = nombre(graphe_);
    const Tvecteur& x = graphe_.mondeX->valeur;
    const Tvecteur& a = graphe_.mondeAbs->valeur;
    std::vector<double> cle{static_cast<double>(n)};
    if (n > 0) {
        const auto milieu = static_cast<std::size_t>(n / 2);
        const auto dernier = static_cast<std::size_t>(n - 1);
        cle.insert(cle.end(), {x[0], a[0], x[milieu], a[milieu], x[dernier], a[dernier]});
    }
    if (cle != cle_) {
        pics_ = cherchePics(x.data(), a.data(), n);
        cle_ = std::move(cle);
    }
    return pics_;
}

void TPicsGraphe::dessine(QPainter& peintre)
{
    if (!actifs || graphe_.mondeY == nullptr) return;
    peintre.save();
    peintre.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics mesure(peintre.font());
    for (const TPic& pic : pics()) {
        // On the curve as it is shown, A or T.
        const double y = graphe_.mondeY->valeur[static_cast<std::size_t>(pic.indice)];
        int xi = 0;
        int yi = 0;
        graphe_.WindowXY(pic.x, y, *graphe_.mondeY, xi, yi);
        if (xi == -1 && yi == -1) continue;
        const QPolygon triangle({QPoint(xi, yi - 3), QPoint(xi - 4, yi - 10), QPoint(xi + 4, yi - 10)});
        peintre.setPen(Qt::darkRed);
        peintre.setBrush(Qt::red);
        peintre.drawPolygon(triangle);
        const QString etiquette = decimal(pic.x, 1, QLocale()) + QStringLiteral(" nm");
        peintre.setPen(Qt::darkRed);
        peintre.drawText(QPoint(xi - mesure.horizontalAdvance(etiquette) / 2, yi - 13), etiquette);
    }
    peintre.restore();
}

bool TPicsGraphe::changes()
{
    // A mark is drawn at its point with its λ to the tenth.
    std::vector<long> marques;
    if (actifs)
        for (const TPic& pic : pics()) marques.insert(marques.end(), {pic.indice, std::lround(pic.x * 10)});
    if (marques == marques_) return false;
    marques_ = std::move(marques);
    return true;
}

QString TPicsGraphe::texte(const QLocale& locale)
{
    QString t = QStringLiteral("λ (nm)\tA\r\n");
    for (const TPic& pic : pics())
        t += decimal(pic.x, 1, locale) + u'\t' + decimal(pic.y, 3, locale) + QStringLiteral("\r\n");
    return t;
}

#include "graph/TLecteurGraphe.h"

#include "graph/TVueGraphe.h"
#include "graph/Tgraphe.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int rayonMarque = 4;
constexpr int margeTexte = 4;

} // namespace

TLecteurGraphe::TLecteurGraphe(Tgraphe& graphe, TVueGraphe& vue)
    : QObject(&vue), graphe_(graphe), vue_(vue)
{
    vue_.setMouseTracking(true);
    vue_.installEventFilter(this);
    vue_.surcouche = [this](QPainter& peintre) { dessine(peintre); };
}

void TLecteurGraphe::survole(int x, int y)
{
    montre(pointProche(graphe_, x, y));
}

bool TLecteurGraphe::deplace(int touche)
{
    const int n = std::clamp<int>(graphe_.nbrePoints, 0, tailleVecteur);
    if (n == 0 || graphe_.mondeX == nullptr) return false;
    // Left goes to smaller wavelengths or times, whichever way the curve was
    // scanned.
    const bool descendant = graphe_.mondeX->valeur[static_cast<std::size_t>(n - 1)] < graphe_.mondeX->valeur[0];
    const int sens = descendant ? -1 : 1;
    const bool surCourbe = point_.courbe == TPointLu::courante && point_.ordre == 0 && point_.indice < n;
    const int actuel = surCourbe ? point_.indice : (descendant ? n - 1 : 0);
    const int page = std::max(1, n / 10);
    int voulu = actuel;
    switch (touche) {
    case Qt::Key_Left: voulu = surCourbe ? actuel - sens : actuel; break;
    case Qt::Key_Right: voulu = surCourbe ? actuel + sens : actuel; break;
    case Qt::Key_PageDown: voulu = actuel - sens * page; break;
    case Qt::Key_PageUp: voulu = actuel + sens * page; break;
    case Qt::Key_Home: voulu = descendant ? n - 1 : 0; break;
    case Qt::Key_End: voulu = descendant ? 0 : n - 1; break;
    default: return false;
    }
    montre(pointCourant(graphe_, std::clamp(voulu, 0, n - 1)));
    return true;
}

void TLecteurGraphe::cache()
{
    montre(TPointLu{});
}

void TLecteurGraphe::montre(const TPointLu& point)
{
    const QRect avant = zone();
    point_ = point;
    texte_ = texteLecture(graphe_, point_);
    vue_.setAccessibleDescription(texte_);
    vue_.update(avant.united(zone()));
}

// Where the point is now: the graph may have been rescaled since it was read.
QPoint TLecteurGraphe::marque() const
{
    if (!point_.trouve() || graphe_.mondeY == nullptr) return {};
    const Tmonde* monde = graphe_.mondeY;
    if (point_.ordre >= 1 && point_.ordre <= 3 && graphe_.mondeDer[point_.ordre] != nullptr)
        monde = graphe_.mondeDer[point_.ordre].get();
    int xi = 0;
    int yi = 0;
    graphe_.WindowXY(point_.x, point_.y, *monde, xi, yi);
    return {xi, yi};
}

QRect TLecteurGraphe::cadreTexte() const
{
    if (!point_.trouve()) return {};
    const QFontMetrics mesure(vue_.font());
    const QSize taille(mesure.horizontalAdvance(texte_) + 2 * margeTexte, mesure.height() + 2 * margeTexte);
    return {QPoint(vue_.width() - taille.width() - 8, 6), taille};
}

QRect TLecteurGraphe::zone() const
{
    if (!point_.trouve()) return {};
    const QPoint m = marque();
    const QRect autour(m - QPoint(rayonMarque + 2, rayonMarque + 2), QSize(2 * rayonMarque + 5, 2 * rayonMarque + 5));
    return cadreTexte().united(autour);
}

void TLecteurGraphe::dessine(QPainter& peintre) const
{
    if (!point_.trouve()) return;
    peintre.save();
    peintre.setRenderHint(QPainter::Antialiasing);
    const QPoint m = marque();
    peintre.setPen(QPen(Qt::black, 1.5));
    peintre.setBrush(QColor(255, 215, 0));
    peintre.drawEllipse(m, rayonMarque, rayonMarque);
    const QRect cadre = cadreTexte();
    peintre.setPen(QColor(0, 0, 0, 160));
    peintre.setBrush(QColor(255, 255, 255, 230));
    peintre.drawRect(cadre.adjusted(0, 0, -1, -1));
    peintre.setPen(Qt::black);
    peintre.setFont(vue_.font());
    peintre.drawText(cadre, Qt::AlignCenter, texte_);
    peintre.restore();
}

bool TLecteurGraphe::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet != &vue_) return QObject::eventFilter(objet, evenement);
    switch (evenement->type()) {
    case QEvent::MouseMove: {
        const auto* souris = static_cast<QMouseEvent*>(evenement);
        if (souris->buttons() == Qt::NoButton) survole(souris->position().toPoint().x(), souris->position().toPoint().y());
        break;
    }
    case QEvent::Leave:
        if (!vue_.hasFocus()) cache();
        break;
    case QEvent::FocusOut:
        if (!vue_.underMouse()) cache();
        break;
    case QEvent::KeyPress: {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->modifiers() == Qt::NoModifier || touche->modifiers() == Qt::KeypadModifier)
            if (deplace(touche->key())) return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(objet, evenement);
}

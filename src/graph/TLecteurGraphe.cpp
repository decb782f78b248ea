#include "graph/TLecteurGraphe.h"

#include "graph/TVueGraphe.h"
#include "graph/Tgraphe.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int rayonMarque = 4;
constexpr int margeTexte = 4;
// A smaller band is a click, not a zoom.
constexpr int bandeMinimale = 5;

} // namespace

TLecteurGraphe::TLecteurGraphe(Tgraphe& graphe, TVueGraphe& vue)
    : QObject(&vue), graphe_(graphe), vue_(vue), pics_(graphe)
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
    // Moves within one point change nothing: no repaint, and no description
    // event for the screen reader to speak again.
    if (point.courbe == point_.courbe && point.ordre == point_.ordre && point.indice == point_.indice
        && texteLecture(graphe_, point) == texte_)
        return;
    const QRegion avant = zone();
    point_ = point;
    texte_ = texteLecture(graphe_, point_);
    vue_.setAccessibleDescription(texte_);
    // Two small areas each time, however far apart: not their bounding box.
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

QRegion TLecteurGraphe::zone() const
{
    if (!point_.trouve()) return {};
    const QPoint m = marque();
    const QRect autour(m - QPoint(rayonMarque + 2, rayonMarque + 2), QSize(2 * rayonMarque + 5, 2 * rayonMarque + 5));
    return QRegion(cadreTexte()).united(autour);
}

void TLecteurGraphe::dessine(QPainter& peintre)
{
    pics_.dessine(peintre);
    // A scan that moves or adds a peak repaints only its new segment: the
    // marks drawn elsewhere must go too.
    if (pics_.changes()) vue_.update();
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

void TLecteurGraphe::appliqueZoom(const TZoom& vue)
{
    if (!(vue.xMax > vue.xMin) || !(vue.yMax > vue.yMin) || !std::isfinite(vue.xMax - vue.xMin)
        || !std::isfinite(vue.yMax - vue.yMin))
        return;
    graphe_.zoom = vue;
    vue_.redessine();
}

void TLecteurGraphe::zoomeSur(const QRect& pixels)
{
    const QRect r = pixels.normalized();
    if (r.width() < bandeMinimale || r.height() < bandeMinimale || graphe_.mondeY == nullptr) return;
    TZoom vue = graphe_.vueAffichee();
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    graphe_.MondeXY(r.left(), r.bottom(), *graphe_.mondeY, x0, y0);
    graphe_.MondeXY(r.right(), r.top(), *graphe_.mondeY, x1, y1);
    vue.xMin = std::min(x0, x1);
    vue.xMax = std::max(x0, x1);
    vue.yMin = std::min(y0, y1);
    vue.yMax = std::max(y0, y1);
    appliqueZoom(vue);
}

// Each notch forward shows 80 % of the range, the pixel under the pointer
// staying where it is.
void TLecteurGraphe::zoomeRoulette(const QPoint& centre, double crans, bool ordonnee)
{
    if (graphe_.mondeY == nullptr || crans == 0) return;
    TZoom vue = graphe_.vueAffichee();
    double x = 0, y = 0;
    graphe_.MondeXY(centre.x(), centre.y(), *graphe_.mondeY, x, y);
    const double facteur = std::pow(0.8, crans);
    const auto autour = [facteur](double c, double& mini, double& maxi) {
        if (!std::isfinite(c) || c < mini || c > maxi) c = (mini + maxi) / 2;
        mini = c - (c - mini) * facteur;
        maxi = c + (maxi - c) * facteur;
    };
    if (ordonnee) autour(y, vue.yMin, vue.yMax);
    else autour(x, vue.xMin, vue.xMax);
    appliqueZoom(vue);
}

void TLecteurGraphe::vueEnsemble()
{
    if (!graphe_.zoom) return;
    graphe_.zoom.reset();
    vue_.redessine();
}

void TLecteurGraphe::ajusteAuxCourbes()
{
    if (const auto etendue = graphe_.etendueCourbes()) appliqueZoom(*etendue);
}

void TLecteurGraphe::ajouteAuMenu(QMenu& menu)
{
    QAction* ensemble = menu.addAction(QStringLiteral("Vue d'ensemble"));
    ensemble->setToolTip(QStringLiteral("Revenir au cadre de la fenêtre (double clic sur le graphe)"));
    connect(ensemble, &QAction::triggered, this, &TLecteurGraphe::vueEnsemble);
    QAction* ajuste = menu.addAction(QStringLiteral("Ajuster aux courbes"));
    ajuste->setToolTip(QStringLiteral("Cadrer les courbes affichées"));
    connect(ajuste, &QAction::triggered, this, &TLecteurGraphe::ajusteAuxCourbes);
}

void TLecteurGraphe::ajouteMenuPics(QMenu& menu)
{
    QAction* marque = menu.addAction(QStringLiteral("Pics"));
    marque->setCheckable(true);
    marque->setToolTip(QStringLiteral("Marquer les maximums de la courbe courante"));
    connect(marque, &QAction::toggled, this, [this](bool oui) {
        pics_.actifs = oui;
        vue_.update();
    });
    QAction* copie = menu.addAction(QStringLiteral("Copier les pics"));
    copie->setToolTip(QStringLiteral("Mettre la table des pics (λ, A) dans le presse-papiers"));
    connect(copie, &QAction::triggered, this, [this] { QGuiApplication::clipboard()->setText(pics_.texte()); });
}

void TLecteurGraphe::ajouteMenuLegende(QMenu& menu)
{
    QAction* legende = menu.addAction(QStringLiteral("Légende"));
    legende->setCheckable(true);
    legende->setChecked(graphe_.legende);
    legende->setToolTip(QStringLiteral("Afficher ou masquer le nom des courbes conservées"));
    connect(legende, &QAction::toggled, this, [this](bool oui) {
        graphe_.legende = oui;
        vue_.redessine();
    });
}

// Left button: a rubber band to zoom into; double click: the whole frame.
bool TLecteurGraphe::souris(QEvent::Type type, const QMouseEvent& evenement)
{
    const QPoint p = evenement.position().toPoint();
    switch (type) {
    case QEvent::MouseButtonPress:
        if (evenement.button() != Qt::LeftButton) return false;
        if (bande_ == nullptr) bande_ = new QRubberBand(QRubberBand::Rectangle, &vue_);
        origine_ = p;
        bande_->setGeometry(QRect(p, QSize()));
        bande_->show();
        return false;
    case QEvent::MouseMove:
        if (bande_ != nullptr && bande_->isVisible() && (evenement.buttons() & Qt::LeftButton)) {
            bande_->setGeometry(QRect(origine_, p).normalized());
            return true;
        }
        if (evenement.buttons() == Qt::NoButton) survole(p.x(), p.y());
        return false;
    case QEvent::MouseButtonRelease:
        if (evenement.button() != Qt::LeftButton || bande_ == nullptr || !bande_->isVisible()) return false;
        bande_->hide();
        zoomeSur(QRect(origine_, p));
        return true;
    case QEvent::MouseButtonDblClick:
        if (evenement.button() != Qt::LeftButton) return false;
        if (bande_ != nullptr) bande_->hide();
        vueEnsemble();
        return true;
    default:
        return false;
    }
}

bool TLecteurGraphe::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet != &vue_) return QObject::eventFilter(objet, evenement);
    switch (evenement->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (souris(evenement->type(), *static_cast<QMouseEvent*>(evenement))) return true;
        break;
    case QEvent::Wheel: {
        const auto* roue = static_cast<QWheelEvent*>(evenement);
        zoomeRoulette(roue->position().toPoint(), roue->angleDelta().y() / 120.0,
                      roue->modifiers().testFlag(Qt::ControlModifier));
        return true;
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

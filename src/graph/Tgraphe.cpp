#include "graph/Tgraphe.h"

#include "graph/Couleurs.h"
#include "graph/CoupeSegment.h"
#include "graph/TMiseEnPage.h"
#include "graph/TServicesImpression.h"
#include "graph/TSurfaceDessin.h"
#include "graph/TSurfaceQPainter.h"
#include "maths/Derivees.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Sets the transform that maps [mini, maxi] onto [pixelMini, pixelMaxi]. Equal
// or unbounded limits have no transform: every value then lands on pixelMini
// rather than producing an infinite or undefined pixel.
void transformeMonde(Tmonde& m, int pixelMini, int pixelMaxi)
{
    m.a = (pixelMaxi - pixelMini) / (m.maxi - m.mini);
    m.b = pixelMini - m.mini * m.a;
    if (!std::isfinite(m.a) || !std::isfinite(m.b)) {
        m.a = 0;
        m.b = pixelMini;
    }
}

// The next graduation: the sum is worked out in double and kept in single
// precision, like the running value itself.
float graduationSuivante(float valeurGrad, double delta)
{
    return static_cast<float>(static_cast<double>(valeurGrad) + delta);
}

int pointsTracables(int n) { return std::clamp(n, 0, tailleVecteur); }

// For one drawing, the worlds take the limits the user zoomed to; the
// window's frame comes back after it. The transforms the drawing leaves
// behind are the zoomed ones, so points added later land in the zoomed view.
class TCadreZoome {
public:
    TCadreZoome(Tgraphe& g, bool avecY) : g_(g)
    {
        if (!g_.zoom) return;
        x_ = {g_.mondeX->mini, g_.mondeX->maxi};
        y_ = {g_.mondeY->mini, g_.mondeY->maxi};
        g_.mondeX->mini = g_.zoom->xMin;
        g_.mondeX->maxi = g_.zoom->xMax;
        if (avecY) {
            g_.mondeY->mini = g_.zoom->yMin;
            g_.mondeY->maxi = g_.zoom->yMax;
        }
        actif_ = true;
    }
    ~TCadreZoome()
    {
        if (!actif_) return;
        g_.mondeX->mini = x_.first;
        g_.mondeX->maxi = x_.second;
        g_.mondeY->mini = y_.first;
        g_.mondeY->maxi = y_.second;
    }
    TCadreZoome(const TCadreZoome&) = delete;
    TCadreZoome& operator=(const TCadreZoome&) = delete;

private:
    Tgraphe& g_;
    std::pair<double, double> x_;
    std::pair<double, double> y_;
    bool actif_ = false;
};

void etend(double v, double& mini, double& maxi)
{
    if (!std::isfinite(v)) return;
    mini = std::min(mini, v);
    maxi = std::max(maxi, v);
}

}  // namespace

Tgraphe::Tgraphe()
    : mondeX(std::make_unique<Tmonde>()), mondeAbs(std::make_unique<Tmonde>()),
      MondeTrans(std::make_unique<Tmonde>())
{
    mondeX->zeroInclus = false;
    mondeY = mondeAbs.get();
    for (int j = 1; j <= 3; ++j) mondeDer[j] = std::make_unique<Tmonde>();
}

Tgraphe::~Tgraphe() = default;

// ---------------------------------------------------------------- model

void Tgraphe::Reset()
{
    nbrePoints = 0;
    dataSaved = false;
    listeRepere.clear();
}

void Tgraphe::AddCourbeCourante()
{
    listeDonnees.push_back({mondeX->valeur, mondeAbs->valeur, MondeTrans->valeur, nbrePoints});
    dataSaved = true;
}

void Tgraphe::AjouteRepere(double V, const QString& T)
{
    listeRepere.push_back({V, T});
    TraceRepere(listeRepere.back());
}

// ---------------------------------------------------------------- layout

void Tgraphe::SetMonde(double minX, double minY, double maxX, double maxY)
{
    mondeX->mini = minX;
    mondeX->maxi = maxX;
    mondeAbs->mini = minY;
    mondeAbs->maxi = maxY;
    MondeTrans->maxi = std::pow(10.0, -minY);
    MondeTrans->mini = std::pow(10.0, -maxY);
    if (MondeTrans->maxi / 10 > MondeTrans->mini) MondeTrans->mini = 0;
}

void Tgraphe::ChercheMonde()
{
    const int H = LimiteFenetre.hauteur();
    const int W = LimiteFenetre.largeur();
    mondeY->avecAxe = H > (25 * HautCarac) / 4;
    mondeX->avecAxe = W > 20 * LargCarac;
    mondeY->grandAxe = H > (50 * HautCarac) / 4;
    mondeX->grandAxe = W > 40 * LargCarac;
    LimiteCourbe = LimiteFenetre;
    LimiteCourbe.Left += Marge;
    LimiteCourbe.Top += Marge;
    hauteurSpectre = H / 50;
    LimiteCourbe.Bottom -= Marge;
    if (mondeX->nom != u"t") LimiteCourbe.Bottom -= hauteurSpectre;
    LimiteCourbe.Right -= Marge;
    if (mondeY->avecAxe) LimiteCourbe.Left += 4 * LargCarac;
    if (mondeX->avecAxe) LimiteCourbe.Bottom -= HautCarac;
    setMondeX();
    setMondeY();
    const bool derivees = traceDer[1] || traceDer[2] || traceDer[3];
    if (derivees && nbrePoints >= 10)
        calculDerivees(mondeX->valeur, mondeY->valeur, pointsTracables(nbrePoints),
                       mondeDer[1]->valeur, mondeDer[2]->valeur, mondeDer[3]->valeur);
    for (int j = 1; j <= 3; ++j)
        if (traceDer[j] && nbrePoints >= 10) setMondeDer(j);
}

void Tgraphe::setMondeX()
{
    transformeMonde(*mondeX, LimiteCourbe.Left, LimiteCourbe.Right);
    mondeX->setDelta();
}

void Tgraphe::setMondeY()
{
    transformeMonde(*mondeY, LimiteCourbe.Bottom, LimiteCourbe.Top);
    mondeY->setDelta();
}

void Tgraphe::setMondeDer(int j)
{
    if (j < 1 || j > 3) return;
    Tmonde& D = *mondeDer[j];
    minMaxVecteur(D.valeur, pointsTracables(nbrePoints), D.mini, D.maxi);
    // A range nearly all above zero is shown from zero.
    if (D.mini * D.maxi > 0 && std::fabs(D.mini) < std::fabs(D.maxi) / 10) D.mini = 0;
    if (D.mini == D.maxi) D.maxi = D.mini + 1;
    transformeMonde(D, LimiteCourbe.Bottom, LimiteCourbe.Top);
    D.setDelta();
}

void Tgraphe::WindowXY(double xr, double yr, const Tmonde& monde, int& xi, int& yi) const
{
    int x = 0;
    int y = 0;
    if (mondeX->affecteEntier(xr, x) && monde.affecteEntier(yr, y)) {
        xi = x;
        yi = y;
    } else {
        xi = -1;
        yi = -1;
    }
}

void Tgraphe::MondeXY(int xi, int yi, const Tmonde& monde, double& xr, double& yr) const
{
    // A world without transform (no room, equal limits) reads as its minimum.
    xr = mondeX->a != 0 ? (xi - mondeX->b) / mondeX->a : mondeX->mini;
    yr = monde.a != 0 ? (yi - monde.b) / monde.a : monde.mini;
}

// ---------------------------------------------------------------- drawing

void Tgraphe::SetHauteurFonte(int H)
{
    if (H <= 13) H = 13;
    else if (H <= 18) H = 16;
    else if (H <= 24) H = 20;
    if (canvas) {
        canvas->setNomFonte(QStringLiteral("Calibri"));
        canvas->setHauteurFonte(H);
    }
    HautCarac = H;
    Marge = H / 3;
    LargCarac = (2 * H) / 3;
}

void Tgraphe::Draw(TSurfaceDessin& Acanvas)
{
    const TCadreZoome cadre(*this, zoomYApplique());
    canvas = &Acanvas;
    LimiteFenetre = canvas->rectangleClip();
    if (LimiteFenetre.Right > largeurEcran) reserveMargesImprimante();
    else penWidth = 1;
    SetHauteurFonte(LimiteFenetre.hauteur() / 30);
    if (LimiteFenetre.Right < largeurEcran) {
        canvas->setCouleurPlume(couleurFond);
        canvas->setStyleBrosse(TStyleBrosse::plein);
        canvas->setCouleurBrosse(couleurFond);
        canvas->rempliRectangle(LimiteFenetre);
    }
    ChercheMonde();
    DrawAxis();
    canvas->setEpaisseurPlume(penWidth);
    TraceLigne();
    for (int j = 1; j <= 3; ++j)
        if (traceDer[j]) TraceDerivee(j);
    for (int i = 0; i < static_cast<int>(listeDonnees.size()); ++i) TraceOld(i);
    for (const Trepere& repere : listeRepere) TraceRepere(repere);
    traceLegende();
}

// "Courbe 1", "Courbe 2"… in keeping order, each beside a patch of its
// colour; kept curves stay coloured on paper, and so does their legend.
void Tgraphe::traceLegende()
{
    if (!canvas || !legende || listeDonnees.empty()) return;
    const int n = static_cast<int>(listeDonnees.size());
    const int ligne = HautCarac + 2;
    const int patch = 2 * LargCarac;
    int texteMax = 0;
    for (int i = 0; i < n; ++i)
        texteMax = std::max(texteMax, canvas->largeurTexte(QStringLiteral("Courbe %1").arg(i + 1)));
    const TRectangle cadre = coinLegende(patch + texteMax + 3 * Marge + 4, n * ligne + 2 * Marge);
    if (cadre.largeur() <= 0) return;
    canvas->setStylePlume(TStylePlume::plein);
    canvas->setCouleurPlume(couleurTrait(couleurAxe));
    canvas->setStyleBrosse(TStyleBrosse::plein);
    canvas->setCouleurBrosse(couleurFond);
    canvas->rectangle(cadre.Left, cadre.Top, cadre.Right, cadre.Bottom);
    canvas->setCouleurFonte(couleurTrait(couleurAxe));
    for (int i = 0; i < n; ++i) {
        const int haut = cadre.Top + Marge + i * ligne;
        canvas->setCouleurPlume(couleurConservee(i));
        canvas->setCouleurBrosse(couleurConservee(i));
        canvas->rectangle(cadre.Left + Marge, haut + ligne / 2 - 2, cadre.Left + Marge + patch, haut + ligne / 2 + 2);
        canvas->texte(cadre.Left + 2 * Marge + patch, haut, QStringLiteral("Courbe %1").arg(i + 1));
    }
}

TRectangle Tgraphe::coinLegende(int largeur, int hauteur) const
{
    const TRectangle& c = LimiteCourbe;
    constexpr int retrait = 4;
    if (largeur + 2 * retrait > c.largeur() || hauteur + 2 * retrait > c.hauteur()) return {};
    const int gauche = c.Left + retrait;
    const int droite = c.Right - retrait - largeur;
    const int haut = c.Top + retrait;
    const int bas = c.Bottom - retrait - hauteur;
    const TRectangle coins[] = {{droite, haut, droite + largeur, haut + hauteur},
                                {gauche, haut, gauche + largeur, haut + hauteur},
                                {droite, bas, droite + largeur, bas + hauteur},
                                {gauche, bas, gauche + largeur, bas + hauteur}};
    // A point under the legend costs 1; one of a curve's last five, which
    // the user watches as they come, costs as much as a whole curve.
    long long scores[4] = {0, 0, 0, 0};
    const auto compte = [&](const Tvecteur& x, const Tvecteur& y, int nombre, const Tmonde& monde) {
        const int n = pointsTracables(nombre);
        for (int k = 0; k < n; ++k) {
            int xi = 0;
            int yi = 0;
            WindowXY(x[static_cast<std::size_t>(k)], y[static_cast<std::size_t>(k)], monde, xi, yi);
            const long long poids = k >= n - 5 ? tailleVecteur : 1;
            for (int q = 0; q < 4; ++q)
                if (xi >= coins[q].Left && xi <= coins[q].Right && yi >= coins[q].Top && yi <= coins[q].Bottom)
                    scores[q] += poids;
        }
    };
    compte(mondeX->valeur, mondeY->valeur, nbrePoints, *mondeY);
    for (const Tdonnees& d : listeDonnees) compte(d.X, ordonneesConservees(d), d.nombre, *mondeY);
    const auto meilleur = std::min_element(std::begin(scores), std::end(scores));
    return coins[meilleur - std::begin(scores)];
}

// A page wider than the screen: the upper half inside a margin of 1/64 of the
// page height, curves as thick relative to the page as on screen.
void Tgraphe::reserveMargesImprimante()
{
    const int e = LimiteFenetre.Bottom / 64;
    LimiteFenetre.Top += e;
    LimiteFenetre.Bottom = LimiteFenetre.Bottom / 2;
    LimiteFenetre.Left += e;
    LimiteFenetre.Right -= e;
    // Without a screen width (never painted on screen) there is no ratio.
    penWidth = largeurEcran > 0 ? std::max(1, (2 * LimiteFenetre.Right) / largeurEcran) : 1;
}

void Tgraphe::DrawAxis()
{
    if (!canvas) return;
    canvas->setStylePlume(TStylePlume::plein);
    canvas->setCouleurPlume(couleurTrait(couleurAxe));
    canvas->setCouleurFonte(couleurTrait(couleurAxe));
    canvas->setEpaisseurPlume(1);
    if (mondeX->avecAxe) graduationsX();
    else zeroX();
    if (mondeY->avecAxe) graduationsY();
    else zeroY();
    traceTitre();
    if (mondeX->nom != u"t") traceSpectreVisible();
}

void Tgraphe::axeX(float& valeurGrad, int& limiteTexteX)
{
    const TRectangle& c = LimiteCourbe;
    valeurGrad = static_cast<float>(mondeX->pointDebut);
    int x0 = 0;
    int y0 = 0;
    WindowXY(0, 0, *mondeY, x0, y0);
    if (c.Left < x0 && x0 < c.Right) {
        canvas->setStylePlume(TStylePlume::pointilles);
        ligne(x0, c.Bottom, x0, c.Top);
        canvas->setStylePlume(TStylePlume::plein);
    }
    const QString titre = titreAxe(*mondeX);
    const int xt = LimiteFenetre.Right - canvas->largeurTexte(titre);
    canvas->texte(xt, c.Bottom + Marge, titre);
    limiteTexteX = xt - 2 * LargCarac;
    ligne(LimiteFenetre.Left, c.Bottom, c.Right, c.Bottom);
    ligne(c.Right - 3 * Marge, c.Bottom + Marge, c.Right, c.Bottom);
    ligne(c.Right - 3 * Marge, c.Bottom - Marge, c.Right, c.Bottom);
}

void Tgraphe::graduationsX()
{
    const TRectangle& c = LimiteCourbe;
    float valeurGrad = 0;
    int limiteTexteX = 0;
    axeX(valeurGrad, limiteTexteX);
    if (quadrillage) canvas->setStylePlume(TStylePlume::pointilles);
    const Tmonde& m = *mondeX;
    // No step (equal limits, an axis beyond single precision): no graduation.
    bool avance = m.deltaAxe > 0;
    while (avance) {
        int xi = 0;
        int yi = 0;
        WindowXY(valeurGrad, mondeY->mini, *mondeY, xi, yi);
        if (c.Left < xi && xi < c.Right) {
            if (quadrillage) ligne(xi, c.Top, xi, c.Bottom);
            else ligne(xi, c.Bottom, xi, c.Bottom + Marge);
            if (c.Left + Marge < xi && xi < limiteTexteX) {
                if (std::fabs(valeurGrad) < (m.maxi - m.mini) / 100) valeurGrad = 0;
                canvas->texte(xi, c.Bottom + Marge, m.FormatAxe(valeurGrad));
            }
        }
        const float suivante = graduationSuivante(valeurGrad, m.deltaAxe);
        // A step lost in the rounding of a large value would never end.
        avance = suivante > valeurGrad && suivante < m.maxi;
        valeurGrad = suivante;
    }
    canvas->setStylePlume(TStylePlume::plein);
}

void Tgraphe::axeY(float& valeurGrad)
{
    const TRectangle& c = LimiteCourbe;
    valeurGrad = static_cast<float>(mondeY->pointDebut);
    int x0 = 0;
    int y0 = 0;
    WindowXY(0, 0, *mondeY, x0, y0);
    if (c.Top < y0 && y0 < c.Bottom) {
        canvas->setStylePlume(TStylePlume::pointilles);
        ligne(c.Left, y0, c.Right, y0);
        canvas->setStylePlume(TStylePlume::plein);
    }
    ligne(c.Left, c.Bottom, c.Left, c.Top);
    ligne(c.Left - Marge, c.Top + 3 * Marge, c.Left, c.Top);
    ligne(c.Left + Marge, c.Top + 3 * Marge, c.Left, c.Top);
    canvas->texte(LimiteFenetre.Left + Marge, LimiteFenetre.Top, titreAxe(*mondeY));
}

void Tgraphe::graduationsY()
{
    const TRectangle& c = LimiteCourbe;
    float valeurGrad = 0;
    axeY(valeurGrad);
    if (quadrillage) canvas->setStylePlume(TStylePlume::pointilles);
    const Tmonde& m = *mondeY;
    bool avance = m.deltaAxe > 0;
    while (avance) {
        int xi = 0;
        int yi = 0;
        WindowXY(mondeX->mini, valeurGrad, m, xi, yi);
        if (c.Top < yi && yi < c.Bottom) {
            if (quadrillage) ligne(c.Left, yi, c.Right, yi);
            else ligne(c.Left, yi, c.Left + Marge, yi);
            if (c.Top + Marge < yi && yi < c.Bottom - Marge && std::abs(yi - c.Bottom) > Marge) {
                if (std::fabs(valeurGrad) < (m.maxi - m.mini) / 1000) valeurGrad = 0;
                canvas->texte(LimiteFenetre.Left + Marge, yi - HautCarac / 2, m.FormatAxe(valeurGrad));
            }
        }
        const float suivante = graduationSuivante(valeurGrad, m.deltaAxe);
        avance = suivante > valeurGrad && suivante < m.maxi;
        valeurGrad = suivante;
    }
    canvas->setStylePlume(TStylePlume::plein);
}

void Tgraphe::zeroX()
{
    int x0 = 0;
    int y0 = 0;
    WindowXY(0, 0, *mondeY, x0, y0);
    if (LimiteCourbe.Left < x0 && x0 < LimiteCourbe.Right)
        ligne(x0, LimiteCourbe.Bottom, x0, LimiteCourbe.Top);
}

void Tgraphe::zeroY()
{
    int x0 = 0;
    int y0 = 0;
    WindowXY(0, 0, *mondeY, x0, y0);
    if (LimiteCourbe.Top < y0 && y0 < LimiteCourbe.Bottom)
        ligne(LimiteCourbe.Left, y0, LimiteCourbe.Right, y0);
}

void Tgraphe::traceTitre()
{
    if (Titre.isEmpty()) return;
    canvas->setCouleurPlume(couleurAxe);
    canvas->setCouleurFonte(couleurAxe);
    canvas->setGrasFonte(true);
    const int largeurA = canvas->largeurTexte(QStringLiteral("A"));
    const qsizetype n = largeurA > 0 ? std::max(0, LimiteCourbe.Right / largeurA) : Titre.size();
    canvas->texte(LimiteCourbe.Left + Marge, LimiteFenetre.Top + Marge, Titre.left(n));
    canvas->setGrasFonte(false);
}

void Tgraphe::traceSpectreVisible()
{
    const int gauche = LimiteCourbe.Left;
    const int largeur = LimiteCourbe.Right - gauche;
    if (largeur <= 0) return;  // no room: no band
    const int bas = LimiteFenetre.Bottom;
    const int haut = bas - hauteurSpectre;
    const int pas = largeur / 256 + 1;
    const int n = largeur / pas;
    if (pas == 1) {
        canvas->setStylePlume(TStylePlume::plein);
    } else {
        canvas->setStylePlume(TStylePlume::aucun);
        canvas->setStyleBrosse(TStyleBrosse::plein);
        canvas->setCouleurBrosse(couleurFond);
    }
    for (int c = 0; c <= n; ++c) {
        const int x = gauche + pas * c;
        double lambda = 0;
        double y = 0;
        MondeXY(x, 0, *mondeY, lambda, y);
        const QColor couleur = longueurOndeVersCouleur(lambda);
        if (pas == 1) {
            canvas->setCouleurPlume(couleur);
            ligne(x, bas, x, haut);
        } else {
            canvas->setCouleurBrosse(couleur);
            canvas->rectangle(x - pas, haut, x + pas, bas);
        }
    }
}

QString Tgraphe::titreAxe(const Tmonde& monde) const
{
    if (monde.unite.isEmpty()) return monde.nom;
    return monde.nom + u'(' + monde.unite + u')';
}

void Tgraphe::TraceLigne()
{
    if (!canvas || nbrePoints == 0) return;
    canvas->setStylePlume(TStylePlume::plein);
    canvas->setCouleurPlume(couleurTrait(couleurCourbe));
    polyligne(mondeX->valeur, mondeY->valeur, *mondeY, nbrePoints);
}

void Tgraphe::TraceDerivee(int j)
{
    if (!canvas || j < 1 || j > 3 || nbrePoints < 10) return;
    canvas->setStylePlume(TStylePlume::plein);
    canvas->setCouleurPlume(couleurTrait(couleurs[static_cast<std::size_t>(j)]));
    polyligne(mondeX->valeur, mondeDer[j]->valeur, *mondeDer[j], nbrePoints);
}

void Tgraphe::TraceOld(int i)
{
    if (!canvas || i < 0 || i >= static_cast<int>(listeDonnees.size())) return;
    const Tdonnees& c = listeDonnees[static_cast<std::size_t>(i)];
    if (c.nombre < 2) return;
    canvas->setStylePlume(TStylePlume::plein);
    canvas->setCouleurPlume(couleurConservee(i));  // kept curves stay coloured on paper
    polyligne(c.X, ordonneesConservees(c), *mondeY, c.nombre);
}

void Tgraphe::polyligne(const Tvecteur& x, const Tvecteur& y, const Tmonde& monde, int n)
{
    n = pointsTracables(n);
    if (n == 0) return;
    if (zoom) {
        for (int k = 1; k < n; ++k)
            segmentCoupe(x[static_cast<std::size_t>(k - 1)], y[static_cast<std::size_t>(k - 1)],
                         x[static_cast<std::size_t>(k)], y[static_cast<std::size_t>(k)], monde);
        return;
    }
    int xi = 0;
    int yi = 0;
    WindowXY(x[0], y[0], monde, xi, yi);
    canvas->deplaceVers(xi, yi);
    for (int k = 1; k < n; ++k) {
        WindowXY(x[static_cast<std::size_t>(k)], y[static_cast<std::size_t>(k)], monde, xi, yi);
        canvas->ligneVers(xi, yi);
    }
}

void Tgraphe::TraceUnPoint(int i)
{
    if (!canvas || i <= 0 || i > indiceMaxVecteur) return;
    const auto k = static_cast<std::size_t>(i);
    canvas->setCouleurPlume(couleurTrait(couleurCourbe));
    canvas->setStylePlume(TStylePlume::plein);
    if (zoom) {
        segmentCoupe(mondeX->valeur[k], mondeY->valeur[k], mondeX->valeur[k - 1], mondeY->valeur[k - 1], *mondeY);
        return;
    }
    int xi = 0;
    int yi = 0;
    WindowXY(mondeX->valeur[k], mondeY->valeur[k], *mondeY, xi, yi);
    canvas->deplaceVers(xi, yi);
    WindowXY(mondeX->valeur[k - 1], mondeY->valeur[k - 1], *mondeY, xi, yi);
    canvas->ligneVers(xi, yi);
}

// Zoomed, what lies outside the curves' area is cut off, so that it never
// covers the axes and their labels.
void Tgraphe::segmentCoupe(double x1, double y1, double x2, double y2, const Tmonde& monde)
{
    double px1 = mondeX->a * x1 + mondeX->b;
    double py1 = monde.a * y1 + monde.b;
    double px2 = mondeX->a * x2 + mondeX->b;
    double py2 = monde.a * y2 + monde.b;
    if (!coupeSegment(px1, py1, px2, py2, LimiteCourbe)) return;
    canvas->deplaceVers(static_cast<int>(std::lround(px1)), static_cast<int>(std::lround(py1)));
    canvas->ligneVers(static_cast<int>(std::lround(px2)), static_cast<int>(std::lround(py2)));
}

bool Tgraphe::zoomYApplique() const
{
    return zoom && zoom->transmittance == (mondeY == MondeTrans.get());
}

TZoom Tgraphe::vueAffichee() const
{
    TZoom vue{mondeX->mini, mondeX->maxi, mondeY->mini, mondeY->maxi, mondeY == MondeTrans.get()};
    if (zoom) {
        vue.xMin = zoom->xMin;
        vue.xMax = zoom->xMax;
        if (zoomYApplique()) {
            vue.yMin = zoom->yMin;
            vue.yMax = zoom->yMax;
        }
    }
    return vue;
}

std::optional<TZoom> Tgraphe::etendueCourbes() const
{
    constexpr double infini = std::numeric_limits<double>::infinity();
    double x0 = infini, x1 = -infini, y0 = infini, y1 = -infini;
    const auto ajoute = [&](const Tvecteur& x, const Tvecteur& y, int n) {
        for (int k = 0; k < pointsTracables(n); ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (!std::isfinite(x[i]) || !std::isfinite(y[i])) continue;
            etend(x[i], x0, x1);
            etend(y[i], y0, y1);
        }
    };
    ajoute(mondeX->valeur, mondeY->valeur, nbrePoints);
    for (const Tdonnees& c : listeDonnees) ajoute(c.X, ordonneesConservees(c), c.nombre);
    if (!(x0 <= x1) || !(y0 <= y1)) return std::nullopt;
    const double mx = x1 > x0 ? (x1 - x0) / 20 : std::max(1.0, std::abs(x0) / 100);
    const double my = y1 > y0 ? (y1 - y0) / 20 : std::max(0.01, std::abs(y0) / 100);
    return TZoom{x0 - mx, x1 + mx, y0 - my, y1 + my, mondeY == MondeTrans.get()};
}

void Tgraphe::TraceRepere(const Trepere& repere)
{
    if (!canvas) return;
    canvas->setCouleurPlume(couleurTrait(couleurs[0]));
    canvas->setStylePlume(TStylePlume::tirets);
    int x = 0;
    int y = 0;
    WindowXY(repere.Valeur, 0, *mondeY, x, y);
    if (!zoom || (x >= LimiteCourbe.Left && x <= LimiteCourbe.Right))
        ligne(x, LimiteCourbe.Top, x, LimiteCourbe.Bottom);
    canvas->setStylePlume(TStylePlume::plein);
}

int Tgraphe::CourbeProche(int xS, int yS) const
{
    int meilleure = 16;
    int resultat = -1;
    for (std::size_t q = 0; q < listeDonnees.size(); ++q) {
        const Tdonnees& c = listeDonnees[q];
        const Tvecteur& ordonnees = ordonneesConservees(c);
        const int n = pointsTracables(c.nombre);
        for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
            int xi = 0;
            int yi = 0;
            WindowXY(c.X[k], ordonnees[k], *mondeY, xi, yi);
            const long long d = std::llabs(static_cast<long long>(xS) - xi)
                                + std::llabs(static_cast<long long>(yS) - yi);
            if (d < meilleure) {
                meilleure = static_cast<int>(d);
                resultat = static_cast<int>(q);
            }
        }
    }
    return resultat;
}

QColor Tgraphe::couleurTrait(const QColor& couleur) const
{
    return ImprimanteMonochrome ? couleurAxe : couleur;
}

const Tvecteur& Tgraphe::ordonneesConservees(const Tdonnees& c) const
{
    return mondeY == mondeAbs.get() ? c.A : c.T;
}

void Tgraphe::ligne(int x1, int y1, int x2, int y2)
{
    canvas->deplaceVers(x1, y1);
    canvas->ligneVers(x2, y2);
}

// ---------------------------------------------------------------- printing

bool Tgraphe::Imprime()
{
    return Imprime(TServicesImpression::standard());
}

bool Tgraphe::Imprime(const TServicesImpression& services)
{
    if (!services.confirme || !services.confirme()) return false;
    std::unique_ptr<QPrinter> imprimante = services.imprimante ? services.imprimante() : nullptr;
    if (!imprimante) {
        if (services.signale)
            services.signale(QStringLiteral("Aucune imprimante n'est installée : le graphe n'a pas été imprimé."));
        return false;
    }
    return dessineSurImprimante(*imprimante, services);
}

bool Tgraphe::dessineSurImprimante(QPrinter& imprimante, const TServicesImpression& services)
{
    imprimante.setPageOrientation(QPageLayout::Portrait);
    const TMiseEnPage ecran(*this);
    QPainter peintre;
    if (!peintre.begin(&imprimante)) {
        if (services.signale)
            services.signale(QStringLiteral("L'impression n'a pas pu commencer : vérifiez l'imprimante."));
        return false;
    }
    ImprimanteMonochrome = imprimante.colorMode() == QPrinter::GrayScale;
    {
        TSurfaceQPainter page(peintre, {0, 0, imprimante.width(), imprimante.height()});
        Draw(page);
    }
    ImprimanteMonochrome = false;
    const bool termine = peintre.end() && imprimante.printerState() != QPrinter::Error;
    // The page surface is gone: the next point goes to the screen again.
    ecran.restaure(*this);
    if (!termine && services.signale)
        services.signale(QStringLiteral("L'impression a échoué : le graphe n'a pas été imprimé."));
    return termine;
}

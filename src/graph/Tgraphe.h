#pragma once

#include "common/Vecteur.h"
#include "graph/TRectangle.h"
#include "graph/Tdonnees.h"
#include "graph/Tmonde.h"
#include "graph/Trepere.h"

#include <QColor>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;
class TServicesImpression;
class TSurfaceDessin;

// A part of the graph the user chose to look at, in the units of the abscissa
// and of the ordinate shown when it was chosen (transmittance or not). The
// window's own frame stays underneath, untouched: leaving the zoom goes back
// to it, and the window may change it meanwhile.
struct TZoom {
    double xMin = 0;
    double xMax = 1;
    double yMin = 0;
    double yMax = 1;
    bool transmittance = false;
};

// One graph: the curve being acquired, the kept curves, the markers, one world
// per plotted variable, and the layout of the last full drawing, which the
// incremental operations (TraceUnPoint, AjouteRepere) reuse.
class Tgraphe {
public:
    Tgraphe();
    virtual ~Tgraphe();
    Tgraphe(const Tgraphe&) = delete;
    Tgraphe& operator=(const Tgraphe&) = delete;

    indiceVecteur nbrePoints = 0;
    std::vector<Tdonnees> listeDonnees;
    std::vector<Trepere> listeRepere;
    std::unique_ptr<Tmonde> mondeX;
    std::unique_ptr<Tmonde> mondeAbs;
    std::unique_ptr<Tmonde> MondeTrans;
    Tmonde* mondeY = nullptr;            // mondeAbs or MondeTrans, never owned
    std::array<std::unique_ptr<Tmonde>, 4> mondeDer;  // orders 1..3; 0 unused
    TRectangle LimiteCourbe;
    TRectangle LimiteFenetre;
    int LargCarac = 0;
    int HautCarac = 0;
    int Marge = 0;
    bool quadrillage = true;
    TSurfaceDessin* canvas = nullptr;    // owned by the window or the printer
    QString Titre;
    std::array<bool, 4> traceDer{};      // orders 1..3; 0 unused
    int hauteurSpectre = 0;
    int largeurEcran = 0;
    bool dataSaved = false;
    bool ImprimanteMonochrome = false;
    int penWidth = 0;
    std::optional<TZoom> zoom;           // the user's view; none: the window's frame
    bool legende = true;                 // names the kept curves' colours

    // Model
    void Reset();
    void AddCourbeCourante();
    void AjouteRepere(double V, const QString& T);

    // Layout
    void SetMonde(double minX, double minY, double maxX, double maxY);
    void ChercheMonde();
    void setMondeX();
    void setMondeY();
    void setMondeDer(int j);
    void WindowXY(double xr, double yr, const Tmonde& monde, int& xi, int& yi) const;
    void MondeXY(int xi, int yi, const Tmonde& monde, double& xr, double& yr) const;

    // Drawing
    void SetHauteurFonte(int H);
    void Draw(TSurfaceDessin& Acanvas);
    void DrawAxis();
    void TraceLigne();
    void TraceDerivee(int j);
    void TraceOld(int i);
    void TraceUnPoint(int i);
    void TraceRepere(const Trepere& repere);
    int CourbeProche(int xS, int yS) const;

    // What the graph shows: the user's zoom where it applies (its ordinate
    // only while the same one is shown), the window's frame elsewhere.
    TZoom vueAffichee() const;
    // Where a legend of largeur x hauteur pixels goes: the corner of the
    // curves' area that covers fewest points, never the last points of a
    // curve when another corner does not; top right first.
    TRectangle coinLegende(int largeur, int hauteur) const;

    // The displayed curves' extent, with a margin of a twentieth on each
    // side; none when no finite point is shown.
    std::optional<TZoom> etendueCourbes() const;

    // Asks for confirmation and prints the graph on the upper half of a page.
    // True when a page was printed.
    bool Imprime();
    bool Imprime(const TServicesImpression& services);

private:
    QColor couleurTrait(const QColor& couleur) const;
    const Tvecteur& ordonneesConservees(const Tdonnees& c) const;
    void polyligne(const Tvecteur& x, const Tvecteur& y, const Tmonde& monde, int n);
    void segmentCoupe(double x1, double y1, double x2, double y2, const Tmonde& monde);
    bool zoomYApplique() const;
    void reserveMargesImprimante();
    void graduationsX();
    void graduationsY();
    void axeX(float& valeurGrad, int& limiteTexteX);
    void axeY(float& valeurGrad);
    void zeroX();
    void zeroY();
    void traceTitre();
    void traceSpectreVisible();
    void traceLegende();
    QString titreAxe(const Tmonde& monde) const;
    void ligne(int x1, int y1, int x2, int y2);
    bool dessineSurImprimante(QPrinter& imprimante, const TServicesImpression& services);
};

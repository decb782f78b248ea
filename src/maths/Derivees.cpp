#include "maths/Derivees.h"

#include "maths/EsystemeLineaireError.h"
#include "maths/SystemeLineaire.h"

#include <algorithm>
#include <array>
#include <cmath>

void minMaxVecteur(const Tvecteur& v, int n, double& mini, double& maxi)
{
    n = std::min(n, tailleVecteur);
    if (n <= 0) {
        mini = maxi = 0;
        return;
    }
    mini = maxi = v[0];
    for (int i = 1; i < n; ++i) {
        if (v[i] > maxi)
            maxi = v[i];
        else if (v[i] < mini)
            mini = v[i];
    }
}

namespace {

constexpr int largeurFenetre = 9;
constexpr int demiFenetre = largeurFenetre / 2;
constexpr int degreSommes = 6; // x^0 .. x^6 for the normal equations of a cubic
constexpr int nbreCoefficients = 4;

// How far the window may slide before its origin is brought back to it.
//
// The abscissae are wavelengths: around 1000 nm, x^6 is 1e18 while a window
// spans a few nanometres, and the shape of the window lies in the last digits
// of the power sums. Summed as they are, even in 80-bit arithmetic, the first
// derivative comes out several percent wrong at 0.5 nm steps and tens of
// percent wrong at finer ones. Measured from an origin never more than this
// many points behind the window, the powers stay within a few window widths
// whatever the wavelength and the step, and plain doubles keep every
// derivative within 1e-6 of its largest value. When the origin moves, the
// sums are rebuilt from the window's nine points; moving it changes no
// derivative.
constexpr int glissementsParOrigine = 32;

// Running sums of the current window, over abscissae measured from origine:
// Sx[k] = sum of (x - origine)^k, B[k] = sum of y (x - origine)^k.
struct TsommesFenetre {
    double origine = 0;
    std::array<double, degreSommes + 1> Sx{};
    std::array<double, nbreCoefficients> B{};
};

// y = c0 + c1 u + c2 u^2 + c3 u^3 with u = x - origine, fitted to one window.
struct Tcubique {
    double origine = 0;
    double c0 = 0;
    double c1 = 0;
    double c2 = 0;
    double c3 = 0;
};

// Sums over the window centred on point b, from scratch, with the origin on
// that point (kept as it was if that abscissa is not a number).
void sommesInitiales(const Tvecteur& x, const Tvecteur& y, int b, TsommesFenetre& s)
{
    if (std::isfinite(x[b]))
        s.origine = x[b];
    s.Sx.fill(0);
    s.B.fill(0);
    for (int i = b - demiFenetre; i <= b + demiFenetre; ++i) {
        const double u = x[i] - s.origine;
        double p = 1;
        for (int k = 0; k <= degreSommes; ++k) {
            if (k > 0)
                s.Sx[k] += p;
            if (k < nbreCoefficients)
                s.B[k] += y[i] * p;
            p *= u;
        }
    }
    s.Sx[0] = largeurFenetre;
}

// Moves the window from b-5 .. b+3 to b-4 .. b+4: point b+4 comes in, b-5
// leaves. Ten updates instead of summing nine points again; this runs at
// every repaint while a derivative is shown.
void glisseFenetre(const Tvecteur& x, const Tvecteur& y, int b, TsommesFenetre& s)
{
    const int entrant = b + demiFenetre;
    const int sortant = b - demiFenetre - 1;
    const double un = x[entrant] - s.origine;
    const double uo = x[sortant] - s.origine;
    const double yn = y[entrant];
    const double yo = y[sortant];
    double pn = 1;
    double po = 1;
    for (int k = 0; k <= degreSommes; ++k) {
        if (k > 0)
            s.Sx[k] = s.Sx[k] + pn - po;
        if (k < nbreCoefficients)
            s.B[k] = s.B[k] + yn * pn - yo * po;
        pn *= un;
        po *= uo;
    }
}

bool sommesFinies(const TsommesFenetre& s)
{
    const auto fini = [](double v) { return std::isfinite(v); };
    return std::all_of(s.Sx.begin(), s.Sx.end(), fini) && std::all_of(s.B.begin(), s.B.end(), fini);
}

// Normal equations of the window's cubic, right-hand sides in column 5.
TmatriceAugmentee equationsNormales(const TsommesFenetre& s)
{
    TmatriceAugmentee M;
    for (int i = 1; i <= nbreCoefficients; ++i) {
        for (int j = 1; j <= nbreCoefficients; ++j)
            M(i, j) = s.Sx[i + j - 2];
        M(i, nbreCoefficients + 1) = s.B[i - 1];
    }
    return M;
}

// Least-squares cubic of the window; false when its equations cannot be
// solved, and then the zero cubic, hence zero derivatives at the points the
// window serves: a flat stretch on a derivative curve is all the user needs
// to see there.
bool ajustePolynome(const TsommesFenetre& s, Tcubique& c)
{
    TsolutionSysteme a;
    try {
        resoudSysteme(equationsNormales(s), nbreCoefficients, a);
    } catch (const EsystemeLineaireError&) {
        c = {};
        return false;
    }
    c = {s.origine, a(1), a(2), a(3), a(4)};
    return true;
}

// A value too large for a double would draw as garbage; it is a failed fit.
double finiOuZero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

void evalueDerivees(const Tcubique& c, const Tvecteur& x, int k,
                    Tvecteur& d1, Tvecteur& d2, Tvecteur& d3)
{
    const double u = x[k] - c.origine;
    d1[k] = finiOuZero((3 * c.c3 * u + 2 * c.c2) * u + c.c1);
    d2[k] = finiOuZero(2 * c.c2 + 6 * c.c3 * u);
    d3[k] = finiOuZero(6 * c.c3);
}

// Sums of the window centred on point b: slid on from the previous window,
// or rebuilt when the origin is due to move.
void sommesCentreesSur(const Tvecteur& x, const Tvecteur& y, int b, TsommesFenetre& s)
{
    if ((b - demiFenetre) % glissementsParOrigine == 0)
        sommesInitiales(x, y, b, s);
    else
        glisseFenetre(x, y, b, s);
}

} // namespace

void calculDerivees(const Tvecteur& x, const Tvecteur& y, int n,
                    Tvecteur& d1, Tvecteur& d2, Tvecteur& d3)
{
    d1.fill(0);
    d2.fill(0);
    d3.fill(0);
    n = std::min(n, tailleVecteur);
    if (n < largeurFenetre)
        return;

    TsommesFenetre s;
    sommesInitiales(x, y, demiFenetre, s);
    Tcubique c;
    ajustePolynome(s, c);
    for (int k = 0; k <= demiFenetre; ++k)
        evalueDerivees(c, x, k, d1, d2, d3);

    for (int b = demiFenetre + 1; b <= n - demiFenetre - 1; ++b) {
        sommesCentreesSur(x, y, b, s);
        // A NaN or an infinity that entered the sums stays in them after its
        // point has left, and would wipe out the following windows: once the
        // fit fails on such sums, start them afresh from the window's points.
        if (!ajustePolynome(s, c) && !sommesFinies(s)) {
            sommesInitiales(x, y, b, s);
            ajustePolynome(s, c);
        }
        evalueDerivees(c, x, b, d1, d2, d3);
    }

    for (int k = n - demiFenetre; k < n; ++k)
        evalueDerivees(c, x, k, d1, d2, d3);
}

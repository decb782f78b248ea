#include "AjustementReference.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int nbrePoints = 9;
constexpr int nbreColonnes = 4;

using Tcolonne = std::array<long double, nbrePoints>;

long double produitScalaire(const Tcolonne& a, const Tcolonne& b)
{
    long double s = 0;
    for (int i = 0; i < nbrePoints; ++i)
        s += a[i] * b[i];
    return s;
}

struct Tfenetre {
    long double centre = 0;
    long double echelle = 1;
    std::array<Tcolonne, nbreColonnes> colonnes{}; // 1, t, t^2, t^3
    Tcolonne ordonnees{};
};

Tfenetre prepareFenetre(const Tvecteur& x, const Tvecteur& y, int debut)
{
    Tfenetre f;
    long double somme = 0;
    for (int i = 0; i < nbrePoints; ++i)
        somme += x[debut + i];
    f.centre = somme / nbrePoints;
    long double ecart = 0;
    for (int i = 0; i < nbrePoints; ++i)
        ecart = std::max(ecart, std::fabs(x[debut + i] - f.centre));
    f.echelle = ecart;
    for (int i = 0; i < nbrePoints; ++i) {
        const long double t = (x[debut + i] - f.centre) / f.echelle;
        f.colonnes[0][i] = 1;
        for (int j = 1; j < nbreColonnes; ++j)
            f.colonnes[j][i] = f.colonnes[j - 1][i] * t;
        f.ordonnees[i] = y[debut + i];
    }
    return f;
}

// Coefficients a of y ~ sum a_j t^j by Q R a = y.
std::array<long double, nbreColonnes> coefficients(Tfenetre f)
{
    std::array<std::array<long double, nbreColonnes>, nbreColonnes> r{};
    std::array<long double, nbreColonnes> z{};
    auto& q = f.colonnes;
    for (int j = 0; j < nbreColonnes; ++j) {
        for (int i = 0; i < j; ++i) {
            r[i][j] = produitScalaire(q[i], q[j]);
            for (int p = 0; p < nbrePoints; ++p)
                q[j][p] -= r[i][j] * q[i][p];
        }
        r[j][j] = std::sqrt(produitScalaire(q[j], q[j]));
        for (int p = 0; p < nbrePoints; ++p)
            q[j][p] /= r[j][j];
        z[j] = produitScalaire(q[j], f.ordonnees);
        for (int p = 0; p < nbrePoints; ++p)
            f.ordonnees[p] -= z[j] * q[j][p];
    }
    std::array<long double, nbreColonnes> a{};
    for (int i = nbreColonnes - 1; i >= 0; --i) {
        long double s = z[i];
        for (int j = i + 1; j < nbreColonnes; ++j)
            s -= r[i][j] * a[j];
        a[i] = s / r[i][i];
    }
    return a;
}

} // namespace

TderiveesPoint deriveesReference(const Tvecteur& x, const Tvecteur& y, int debut, double X)
{
    const Tfenetre f = prepareFenetre(x, y, debut);
    const auto a = coefficients(f);
    const long double t = (X - f.centre) / f.echelle;
    const long double h = f.echelle;
    TderiveesPoint d;
    d.d1 = (a[1] + 2 * a[2] * t + 3 * a[3] * t * t) / h;
    d.d2 = (2 * a[2] + 6 * a[3] * t) / (h * h);
    d.d3 = 6 * a[3] / (h * h * h);
    return d;
}

int debutFenetreServant(int k, int n)
{
    return std::clamp(k - nbrePoints / 2, 0, n - nbrePoints);
}

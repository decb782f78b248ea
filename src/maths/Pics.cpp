#include "maths/Pics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool fini(double v)
{
    return std::isfinite(v);
}

// Index bounds of the top around i: the neighbours on each side as long as
// they stay above y[i] - prominence / 3 (at least one, at most 50). The
// level where the curve crosses that floor is set by the band's shape, not
// by which noisy point happens to be highest, so the top is centred on the
// band even when i is not.
void bornesSommet(const double* y, int n, int i, double prominence, int& debut, int& fin)
{
    const double plancher = y[i] - prominence / 3;
    constexpr int largeurMax = 50;
    debut = i - 1;
    while (debut > 0 && i - debut < largeurMax && fini(y[debut - 1]) && y[debut - 1] >= plancher) --debut;
    fin = i + 1;
    while (fin < n - 1 && fin - i < largeurMax && fini(y[fin + 1]) && y[fin + 1] >= plancher) ++fin;
}

// Least-squares parabola through the top, on abscissae centred at x[i] and
// scaled by the span: the vertex when it is a maximum inside the top, else
// the point itself.
void affine(const double* x, const double* y, int i, int debut, int fin, TPic& pic)
{
    pic.x = x[i];
    pic.y = y[i];
    const double echelle = std::max(std::abs(x[fin] - x[i]), std::abs(x[debut] - x[i]));
    if (!(echelle > 0)) return;
    long double s[5] = {0, 0, 0, 0, 0};
    long double t[3] = {0, 0, 0};
    for (int k = debut; k <= fin; ++k) {
        if (!fini(x[k]) || !fini(y[k])) return;
        const long double u = (x[k] - x[i]) / echelle;
        long double p = 1;
        for (int d = 0; d < 5; ++d) {
            s[d] += p;
            if (d < 3) t[d] += p * y[k];
            p *= u;
        }
    }
    // Normal equations for y = a + b u + c u², solved by Cramer's rule.
    const auto det3 = [](long double a, long double b, long double c, long double d, long double e,
                         long double f, long double g, long double h, long double k) {
        return a * (e * k - f * h) - b * (d * k - f * g) + c * (d * h - e * g);
    };
    const long double D = det3(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
    if (std::abs(D) < 1e-18L) return;
    const long double a = det3(t[0], s[1], s[2], t[1], s[2], s[3], t[2], s[3], s[4]) / D;
    const long double b = det3(s[0], t[0], s[2], s[1], t[1], s[3], s[2], t[2], s[4]) / D;
    const long double c = det3(s[0], s[1], t[0], s[1], s[2], t[1], s[2], s[3], t[2]) / D;
    if (!(c < 0)) return;
    const long double sommet = -b / (2 * c);
    const long double uDebut = (x[debut] - x[i]) / echelle;
    const long double uFin = (x[fin] - x[i]) / echelle;
    if (sommet < std::min(uDebut, uFin) || sommet > std::max(uDebut, uFin)) return;
    pic.x = static_cast<double>(x[i] + sommet * echelle);
    pic.y = static_cast<double>(a + b * sommet + c * sommet * sommet);
}

// The lowest point between i and the first point higher than y[i] in the
// direction pas, or the curve's end.
double creux(const double* y, int n, int i, int pas)
{
    double bas = y[i];
    for (int k = i + pas; k >= 0 && k < n; k += pas) {
        if (!fini(y[k])) continue;
        if (y[k] > y[i]) break;
        bas = std::min(bas, y[k]);
    }
    return bas;
}

} // namespace

double bruitCourbe(const double* y, int n)
{
    std::vector<double> d;
    d.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 1; i + 1 < n; ++i)
        if (fini(y[i - 1]) && fini(y[i]) && fini(y[i + 1])) d.push_back(std::abs(y[i - 1] - 2 * y[i] + y[i + 1]));
    if (d.empty()) return 0;
    auto milieu = d.begin() + static_cast<std::ptrdiff_t>(d.size() / 2);
    std::nth_element(d.begin(), milieu, d.end());
    // For white noise of deviation s, a second difference has deviation
    // s·√6, and the median of a normal's absolute value is 0.6745 of its
    // deviation.
    return *milieu / (0.6745 * std::sqrt(6.0));
}

double seuilPics(const double* y, int n)
{
    double mini = std::numeric_limits<double>::infinity();
    double maxi = -mini;
    for (int i = 0; i < n; ++i)
        if (fini(y[i])) {
            mini = std::min(mini, y[i]);
            maxi = std::max(maxi, y[i]);
        }
    const double etendue = maxi > mini ? maxi - mini : 0;
    return std::max(10 * bruitCourbe(y, n), 0.02 * etendue);
}

std::vector<TPic> cherchePics(const double* x, const double* y, int n)
{
    std::vector<TPic> pics;
    if (n < 3) return pics;
    const double seuil = seuilPics(y, n);
    if (!(seuil > 0)) return pics;
    for (int i = 1; i + 1 < n; ++i) {
        if (!fini(y[i]) || !fini(x[i])) continue;
        // A flat top counts once, at its first point.
        if (!(y[i] > y[i - 1] || !fini(y[i - 1]))) continue;
        int j = i + 1;
        while (j < n && fini(y[j]) && y[j] == y[i]) ++j;
        if (j >= n || !(y[j] < y[i])) continue;
        const double gauche = creux(y, n, i, -1);
        const double droit = creux(y, n, i, +1);
        TPic pic;
        pic.indice = i;
        pic.prominence = y[i] - std::max(gauche, droit);
        if (pic.prominence < seuil) continue;
        int debut = 0;
        int fin = 0;
        bornesSommet(y, n, i, pic.prominence, debut, fin);
        affine(x, y, i, debut, fin, pic);
        pics.push_back(pic);
    }
    return pics;
}

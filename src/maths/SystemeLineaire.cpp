#include "maths/SystemeLineaire.h"

#include "maths/EsystemeLineaireError.h"

#include <cmath>
#include <utility>

// The steps live in this file's own namespace and the public functions
// forward to them: the library is position-independent, and the compiler may
// not inline a public function there. Inlined, with the size known, the loops
// unroll; the derivative fits solve two thousand 4 x 4 systems per repaint.
namespace {

int pivotDeColonne(const TmatriceAugmentee& M, int k, int n)
{
    int p = k;
    for (int i = k + 1; i <= n; ++i)
        if (std::fabs(M(i, k)) > std::fabs(M(p, k)))
            p = i;
    // Written so that a NaN pivot fails too: it would only spread through
    // the solution and come out as a silent NaN.
    if (!(std::fabs(M(p, k)) > pivotMinimal))
        throw EsystemeLineaireError();
    return p;
}

void echangeDeLignes(TmatriceAugmentee& M, int k, int p, int n)
{
    if (p == k)
        return;
    for (int j = k; j <= n + 1; ++j)
        std::swap(M(k, j), M(p, j));
}

void elimineSousPivot(TmatriceAugmentee& M, int k, int n)
{
    for (int i = k + 1; i <= n; ++i) {
        const double f = M(i, k) / M(k, k);
        for (int j = k + 1; j <= n + 1; ++j)
            M(i, j) -= f * M(k, j);
        M(i, k) = 0;
    }
}

void triangulation(TmatriceAugmentee& M, int n)
{
    for (int k = 1; k <= n; ++k) {
        echangeDeLignes(M, k, pivotDeColonne(M, k, n), n);
        elimineSousPivot(M, k, n);
    }
}

void substitution(const TmatriceAugmentee& M, int n, TsolutionSysteme& x)
{
    for (int i = n; i >= 1; --i) {
        double s = M(i, n + 1);
        for (int j = i + 1; j <= n; ++j)
            s -= M(i, j) * x(j);
        if (M(i, i) == 0)
            throw EsystemeLineaireError();
        x(i) = s / M(i, i);
        // An overflow or an infinite coefficient is as much a failure as a
        // zero pivot.
        if (!std::isfinite(x(i)))
            throw EsystemeLineaireError();
    }
}

template <int n>
[[gnu::flatten]] void resoud(TmatriceAugmentee& M, TsolutionSysteme& x)
{
    triangulation(M, n);
    substitution(M, n, x);
}

} // namespace

int cherchePivot(const TmatriceAugmentee& M, int k, int n)
{
    return pivotDeColonne(M, k, n);
}

void echangeLignes(TmatriceAugmentee& M, int k, int p, int n)
{
    echangeDeLignes(M, k, p, n);
}

void triangule(TmatriceAugmentee& M, int n)
{
    triangulation(M, n);
}

void remonte(const TmatriceAugmentee& M, int n, TsolutionSysteme& x)
{
    substitution(M, n, x);
}

void resoudSysteme(TmatriceAugmentee M, int n, TsolutionSysteme& x)
{
    switch (n) {
    case 1: resoud<1>(M, x); break;
    case 2: resoud<2>(M, x); break;
    case 3: resoud<3>(M, x); break;
    case 4: resoud<4>(M, x); break;
    default: throw EsystemeLineaireError();
    }
}

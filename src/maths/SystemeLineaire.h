#pragma once

#include "maths/TmatriceAugmentee.h"
#include "maths/TsolutionSysteme.h"

// Gaussian elimination with partial pivoting on an augmented matrix of n
// unknowns (1 <= n <= 4). Every failure raises EsystemeLineaireError.

// A pivot of this magnitude or less counts as zero.
inline constexpr double pivotMinimal = 1e-100;

// Solves the system held by M; the caller's matrix is left as it was.
// Raises EsystemeLineaireError when n is out of range, a pivot is too small or
// not a number, or the solution is not finite.
void resoudSysteme(TmatriceAugmentee M, int n, TsolutionSysteme& x);

// The steps of resoudSysteme, usable on their own.

// Row p >= k of the largest |M[p,k]|, the first one on ties; raises when
// that magnitude is not above pivotMinimal (or is not a number).
int cherchePivot(const TmatriceAugmentee& M, int k, int n);
// Exchanges rows k and p from column k to n+1.
void echangeLignes(TmatriceAugmentee& M, int k, int p, int n);
// Brings M to upper triangular form, row exchanges included.
void triangule(TmatriceAugmentee& M, int n);
// Back substitution on a triangular M; raises on a zero diagonal entry or a
// result that is not finite.
void remonte(const TmatriceAugmentee& M, int n, TsolutionSysteme& x);

#pragma once

#include <array>
#include <cassert>
#include <cstddef>

// Augmented matrix of a linear system of at most 4 unknowns. Rows and columns
// are numbered from 1, as in the equations: for n unknowns, columns 1..n hold
// the coefficients and column n+1 the right-hand side.
class TmatriceAugmentee {
public:
    static constexpr int nbreLignes = 4;
    static constexpr int nbreColonnes = nbreLignes + 1;

    double& operator()(int i, int j) { return m_[indice(i, j)]; }
    double operator()(int i, int j) const { return m_[indice(i, j)]; }

    friend bool operator==(const TmatriceAugmentee&, const TmatriceAugmentee&) = default;

private:
    static std::size_t indice(int i, int j)
    {
        assert(i >= 1 && i <= nbreLignes && j >= 1 && j <= nbreColonnes);
        return static_cast<std::size_t>((i - 1) * nbreColonnes + (j - 1));
    }

    std::array<double, nbreLignes * nbreColonnes> m_{};
};

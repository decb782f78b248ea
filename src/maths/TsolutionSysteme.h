#pragma once

#include <array>
#include <cassert>
#include <cstddef>

// Unknowns of a linear system, numbered from 1 like the matrix columns.
class TsolutionSysteme {
public:
    static constexpr int nbreInconnues = 4;

    double& operator()(int i) { return x_[indice(i)]; }
    double operator()(int i) const { return x_[indice(i)]; }

private:
    static std::size_t indice(int i)
    {
        assert(i >= 1 && i <= nbreInconnues);
        return static_cast<std::size_t>(i - 1);
    }

    std::array<double, nbreInconnues> x_{};
};

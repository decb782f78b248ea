// The derivative computation reruns at every repaint while a derivative is
// shown: a full 2001-point spectrum must cost well under a millisecond.
#include "maths/Derivees.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void remplitSpectre(Tvecteur& x, Tvecteur& y)
{
    for (int i = 0; i < tailleVecteur; ++i) {
        const double lambda = 190 + 0.455 * i;
        x[i] = lambda;
        y[i] = 0.05 + 20 / lambda + 1.2 * std::exp(-0.5 * std::pow((lambda - 262) / 14, 2))
               + 0.6 * std::exp(-0.5 * std::pow((lambda - 450) / 30, 2))
               + 0.8 * std::exp(-0.5 * std::pow((lambda - 585) / 45, 2))
               + 0.4 * std::exp(-0.5 * std::pow((lambda - 860) / 60, 2));
    }
}

void CalculDerivees2001Points(benchmark::State& etat)
{
    Tvecteur x{};
    Tvecteur y{};
    remplitSpectre(x, y);
    Tvecteur d1{};
    Tvecteur d2{};
    Tvecteur d3{};
    for (auto _ : etat) {
        calculDerivees(x, y, tailleVecteur, d1, d2, d3);
        benchmark::DoNotOptimize(d1.data());
        benchmark::DoNotOptimize(d2.data());
        benchmark::DoNotOptimize(d3.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CalculDerivees2001Points)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

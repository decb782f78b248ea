// What the measurement journal costs a point: one record written to the
// kernel (the instrument's line takes about 100 µs a point), and the
// once-a-second flush to the disk.
#include "common/TJournalMesures.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

void AjoutePointSpectre(benchmark::State& etat)
{
    QTemporaryDir dossier;
    TJournalMesures journal(dossier.path(), QStringLiteral("spectre"));
    journal.commence({{QStringLiteral("fenetre"), QStringLiteral("spectre")}});
    int k = 0;
    for (auto _ : etat) {
        journal.ajoutePoint(k % 2001, {800.0 - 0.5 * k, 0.123456789 + 1e-6 * k, 0.7522});
        ++k;
    }
}
BENCHMARK(AjoutePointSpectre);

void SynchroniseApresUneSeconde(benchmark::State& etat)
{
    QTemporaryDir dossier;
    TJournalMesures journal(dossier.path(), QStringLiteral("cinetique"));
    journal.commence({});
    for (auto _ : etat) {
        journal.ajoutePoint(1, {2.0, 1.5});
        journal.synchronise();
    }
}
BENCHMARK(SynchroniseApresUneSeconde);

} // namespace

BENCHMARK_MAIN();

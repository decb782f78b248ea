// The main window's cost: how long it takes to create and show, and what a
// full-capacity scan with ten kept curves costs in time and resident memory.
// Run: cmake --build build --target bench && build/bench/spectrum/lumko_bench_spectrum
#include "graph/TVueGraphe.h"
#include "sim/TSimulateur.h"
#include "spectrum/TBarreSpectre.h"
#include "spectrum/TFormMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

// Resident set of this process, in kB.
double memoireResidente()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& ligne : f.readAll().split('\n'))
        if (ligne.startsWith("VmRSS:")) return ligne.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

void attend(const std::function<bool()>& condition)
{
    QElapsedTimer chrono;
    chrono.start();
    while (!condition() && chrono.elapsed() < 60000) {
        QCoreApplication::processEvents();
        QThread::usleep(200);
    }
}

void OuvertureFenetre(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const QString ini = dossier.filePath(QStringLiteral("lumko.ini"));
    for (auto _ : etat) {
        TFormMain fenetre(ini);
        fenetre.show();
        fenetre.PaintBox1().repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(fenetre.isVisible());
    }
}
BENCHMARK(OuvertureFenetre)->Unit(benchmark::kMillisecond);

// 2001 points sent without pacing, the handshake's real 100 ms passes.
void Spectre2001PointsDixCourbes(benchmark::State& etat)
{
    QTemporaryDir dossier;
    const QString lien = dossier.filePath(QStringLiteral("orvanne"));
    TConfigInstrument cfg;
    cfg.rapide = true;
    cfg.facteurTemps = 0.001;
    cfg.pointsForces = 2001;
    TSimulateur sim(cfg);
    if (!sim.demarre(lien.toStdString())) {
        etat.SkipWithError("simulateur");
        return;
    }
    const QString ini = dossier.filePath(QStringLiteral("lumko.ini"));
    QFile f(ini);
    if (!f.open(QIODevice::WriteOnly)) return;
    f.write("[VoieSerie]\nComNumber=49\n[Ports]\nCOM49=" + lien.toLocal8Bit() + "\n");
    f.close();

    const double avant = memoireResidente();
    TFormMain fenetre(ini);
    fenetre.show();
    TBarreSpectre& b = fenetre.barre();
    b.ConnectBtn->click();
    b.BlancBtn->click();
    for (auto _ : etat) {
        b.SpectreBtn->click();
        attend([&] { return fenetre.liaison().etatSpectre == TEtatSpectre::esAttente; });
        fenetre.PaintBox1().repaint();
    }
    for (int k = 0; k < 10; ++k) {
        fenetre.setBoutons();
        b.AddBtn->click();
    }
    fenetre.PaintBox1().repaint();
    etat.counters["points"] = fenetre.graphe().nbrePoints;
    etat.counters["courbes"] = static_cast<double>(fenetre.graphe().listeDonnees.size());
    etat.counters["RSS_kB"] = memoireResidente();
    etat.counters["RSS_fenetre_kB"] = memoireResidente() - avant;
}
BENCHMARK(Spectre2001PointsDixCourbes)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

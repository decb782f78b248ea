// The two drawings that run while the instrument sends: the full drawing of a
// repaint, and the one segment of a new point.
#include "graph/TLecteurGraphe.h"
#include "graph/TSurfaceImage.h"
#include "graph/TVueGraphe.h"
#include "graph/Tgraphe.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A full 2001-point spectrum, its three derivatives and ten kept curves.
void remplit(Tgraphe& g)
{
    g.SetMonde(190, 0, 1100, 3);
    g.mondeX->nom = QStringLiteral("λ");
    g.mondeX->unite = QStringLiteral("nm");
    g.mondeAbs->nom = QStringLiteral("A");
    for (int courbe = 0; courbe <= 10; ++courbe) {
        for (std::size_t k = 0; k < 2001; ++k) {
            const double lambda = 190 + 0.455 * static_cast<double>(k);
            const double a = (0.5 + 0.1 * courbe) * std::exp(-std::pow((lambda - 500) / 60, 2))
                             + 0.3 * std::exp(-std::pow((lambda - 800) / 90, 2)) + 0.05;
            g.mondeX->valeur[k] = lambda;
            g.mondeAbs->valeur[k] = a;
            g.MondeTrans->valeur[k] = std::pow(10.0, -a);
        }
        g.nbrePoints = 2001;
        if (courbe < 10) g.AddCourbeCourante();
    }
    g.traceDer = {false, true, true, true};
}

void DessinComplet(benchmark::State& etat)
{
    Tgraphe g;
    remplit(g);
    TSurfaceImage surface(QSize(1920, 1080));
    g.largeurEcran = 1922;
    for (auto _ : etat) {
        g.Draw(surface);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(DessinComplet)->Unit(benchmark::kMillisecond);

void NouveauPoint(benchmark::State& etat)
{
    Tgraphe g;
    remplit(g);
    TSurfaceImage surface(QSize(1920, 1080));
    g.largeurEcran = 1922;
    g.Draw(surface);
    int i = 1;
    for (auto _ : etat) {
        g.TraceUnPoint(i);
        i = i % 2000 + 1;
    }
}
BENCHMARK(NouveauPoint)->Unit(benchmark::kMicrosecond);

// One pointer move over a full 1920 x 1080 view: the nearest of the 28 000
// points drawn, then the repaint of the readout's and the marker's areas
// only (the graph's image is not drawn again).
void LectureSousLePointeur(benchmark::State& etat)
{
    Tgraphe g;
    remplit(g);
    TVueGraphe vue(g);
    vue.resize(1920, 1080);
    auto* lecteur = new TLecteurGraphe(g, vue);
    vue.show();
    vue.repaint();
    int x = 100;
    for (auto _ : etat) {
        lecteur->survole(x, 540);
        QApplication::processEvents();  // the repaint of what the move marked
        x = x >= 1800 ? 100 : x + 7;
    }
}
BENCHMARK(LectureSousLePointeur)->Unit(benchmark::kMicrosecond);

// The full drawing of a zoomed view at 3840 x 2160: every segment is cut to
// the curves' area.
void DessinCompletZoome4K(benchmark::State& etat)
{
    Tgraphe g;
    remplit(g);
    g.zoom = TZoom{450, 650, 0.2, 1.2, false};
    TSurfaceImage surface(QSize(3840, 2160));
    g.largeurEcran = 3842;
    for (auto _ : etat) {
        g.Draw(surface);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(DessinCompletZoome4K)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);  // fonts and the view need a GUI application
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The graph window: rebuilding buttons and series plus the first paint on the scaling grid,
// and one battery button toggled on a full test (refresh and repaint).
#include "FullTest.h"
#include "ScalingGrid.h"

#include "presentation/ui/Graf.h"
#include "support/WindowBenchmarks.h"

#include <QToolButton>
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

namespace {
// What the user waits for after a command: the chart's queued replot and the window's paint.
void Paint(TFgraf& window)
{
    bool replotted = false;
    const auto done = QObject::connect(window.Chart(), &QCustomPlot::afterReplot, [&replotted] { replotted = true; });
    while (!replotted)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QObject::disconnect(done);
}

void BM_GraphBuildAndFirstPaint(benchmark::State& bench)
{
    TProgramState state;
    LoadFullTest(state, int(bench.range(1)), int(bench.range(0)));
    TFgraf window(state);
    window.resize(1000, 650);
    window.show();
    for (auto _ : bench) {
        window.BuildGraph();
        Paint(window);
    }
}
BENCHMARK(BM_GraphBuildAndFirstPaint)->Apply(ScalingGrid)->Unit(benchmark::kMillisecond);

void BM_GraphToggleOneBattery(benchmark::State& bench)
{
    TProgramState state;
    LoadFullTest(state);
    TFgraf window(state);
    window.resize(1000, 650);
    window.show();
    window.BuildGraph();
    Paint(window);
    for (auto _ : bench) {
        window.BatteryButton(7)->click();
        Paint(window);
    }
}
BENCHMARK(BM_GraphToggleOneBattery)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    TWindowBenchmarks benchmarks(argc, argv);
    return benchmarks.Run();
}

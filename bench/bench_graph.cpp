// The graph window on a full test: rebuilding buttons and series plus the first paint,
// and one battery button toggled (refresh and repaint).
#include "FullTest.h"

#include "presentation/ui/Graf.h"
#include "support/WindowBenchmarks.h"

#include <QToolButton>
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

namespace {
void Paint(TFgraf& window)
{
    window.Chart()->replot(QCustomPlot::rpImmediateRefresh);
    QCoreApplication::processEvents();
}

void BM_GraphBuildAndFirstPaint(benchmark::State& bench)
{
    TProgramState state;
    LoadFullTest(state);
    TFgraf window(state);
    window.resize(1000, 650);
    window.show();
    for (auto _ : bench) {
        window.BuildGraph();
        Paint(window);
    }
}
BENCHMARK(BM_GraphBuildAndFirstPaint)->Unit(benchmark::kMillisecond);

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

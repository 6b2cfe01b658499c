// Peak resident memory of the desktop program with a full-size test (108 x 10000) loaded
// the way a download loads it, and the data window and the graph window shown and painted.
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "evaluation/ui/Data.h"
#include "presentation/ui/Graf.h"
#include "support/RecordBuilder.h"
#include "tester/ui/Hlavicky.h"
#include "support/WindowBenchmarks.h"

#include <QFile>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {
// Kilobytes of one "Vm..." line of /proc/self/status.
double statusKilobytes(const QByteArray& key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble();
    return 0;
}

void showAndPaint(QWidget& window)
{
    window.show();
    while (!window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    window.grab();
    QCoreApplication::processEvents();
}

void BM_PeakMemoryWithFullTestShown(benchmark::State& bench)
{
    RecordingUserReport report;
    const ScopedUserReport use(&report);
    TProgramState& state = TProgramState::Instance();
    CreateWindows(state);
    const double beforeLoad = statusKilobytes("VmRSS:");
    for (auto _ : bench) {
        showAndPaint(*Windows().Fmain);
        emit Windows().Fhlavicky->LoadStarting();
        TakeOverRecord(state.Record(), *MakeStringRecord(MaxBatteries, MaxRows));
        emit Windows().Fhlavicky->TestLoaded();
        showAndPaint(*Windows().Fdata);
        showAndPaint(*Windows().Fgraf);
    }
    bench.counters["start_MB"] = beforeLoad / 1024.0;
    bench.counters["peak_MB"] = statusKilobytes("VmHWM:") / 1024.0;
    DestroyWindows();
}
BENCHMARK(BM_PeakMemoryWithFullTestShown)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace

int main(int argc, char** argv)
{
    TWindowBenchmarks benchmarks(argc, argv);
    return benchmarks.Run();
}

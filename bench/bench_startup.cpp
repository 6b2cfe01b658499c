// Start-up to the main window shown: the nine windows created (battery types read) and
// the main window exposed on the offscreen platform.
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "support/WindowBenchmarks.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

void BM_StartupToMainWindowShown(benchmark::State& bench)
{
    QTemporaryDir dir;
    QFile types(dir.filePath(QStringLiteral("Vybitor5.btr")));
    if (types.open(QIODevice::WriteOnly))
        for (int i = 0; i < 200; ++i)
            types.write("Typ " + QByteArray::number(i % 150) + "\t600\t1\t2\n");
    types.close();
    SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5")));
    RecordingUserReport report;
    const ScopedUserReport use(&report);
    for (auto _ : bench) {
        TProgramState state;
        CreateWindows(state);
        TFmain& main = *Windows().Fmain;
        main.show();
        while (!main.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        bench.PauseTiming();
        DestroyWindows();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToMainWindowShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    TWindowBenchmarks benchmarks(argc, argv);
    return benchmarks.Run();
}

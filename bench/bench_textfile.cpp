// The test text file saved and loaded back with the whole load chain, on the scaling grid;
// and a full stored test file decoded as "Otevři" does.
#include "ScalingGrid.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/LoadChain.h"
#include "files/StoredTestFile.h"
#include "files/TestTextFile.h"
#include "model/LocaleFormat.h"
#include "support/RecordBuilder.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

// A shown test of the benchmark's size, in the Czech locale (decimal comma).
std::unique_ptr<TProgramState> ShownTest(const benchmark::State& s)
{
    SetProgramLocale(QLocale(QStringLiteral("cs_CZ")));
    auto state = std::make_unique<TProgramState>();
    auto record = MakeStringRecord(int(s.range(0)), int(s.range(1)));
    record->Header.EndVoltage = 2000.0f;
    record->Header.TestMinutes = 600;
    TakeOverRecord(state->Record(), *record);
    ShowLoadedTest(*state);
    return state;
}

void BM_SaveTestTextFile(benchmark::State& s)
{
    const auto state = ShownTest(s);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.txt"));
    for (auto _ : s)
        SaveTestTextFile(*state, path);
    s.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_SaveTestTextFile)->Apply(ScalingGrid)->Unit(benchmark::kMillisecond);

void BM_LoadTestTextFile(benchmark::State& s)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.txt"));
    SaveTestTextFile(*ShownTest(s), path);
    auto target = std::make_unique<TProgramState>();
    for (auto _ : s)
        LoadTestTextFile(*target, path);
    if (target->Record().RowCount != s.range(1) || target->Record().RunInfo.BatteryCount != s.range(0))
        s.SkipWithError("the test did not load whole");
}
BENCHMARK(BM_LoadTestTextFile)->Apply(ScalingGrid)->Unit(benchmark::kMillisecond);

void BM_DecodeStoredTestFile(benchmark::State& s)
{
    const auto full = MakeStringRecord(MaxBatteries, MaxRows);
    const QByteArray bytes = StoredBytes(*full);
    auto work = std::make_unique<TTestRecord>();
    for (auto _ : s)
        benchmark::DoNotOptimize(DecodeStoredTestFile(bytes, *work));
}
BENCHMARK(BM_DecodeStoredTestFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    StderrUserReport quiet;
    SetUserReport(&quiet);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

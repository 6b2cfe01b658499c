// The test text file of a full test (108 batteries x 10000 samples): building its bytes,
// saving it to disk, loading it back with the whole load chain; and decoding a full stored
// test file as "Otevři" does.
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/LoadChain.h"
#include "files/StoredTestFile.h"
#include "files/TestTextFile.h"
#include "model/LocaleFormat.h"
#include "support/RecordBuilder.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

TProgramState& FullState()
{
    static TProgramState state;
    static bool shown = false;
    if (!shown) {
        SetProgramLocale(QLocale(QStringLiteral("cs_CZ")));
        auto record = MakeStringRecord(MaxBatteries, MaxRows);
        record->Header.EndVoltage = 2000.0f;
        record->Header.TestMinutes = 600;
        TakeOverRecord(state.Record(), *record);
        ShowLoadedTest(state);
        shown = true;
    }
    return state;
}

void BM_TextFileBytes(benchmark::State& s)
{
    TProgramState& state = FullState();
    for (auto _ : s)
        benchmark::DoNotOptimize(TestTextFileBytes(state));
}

void BM_SaveTestTextFile(benchmark::State& s)
{
    TProgramState& state = FullState();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.txt"));
    for (auto _ : s)
        SaveTestTextFile(state, path);
    s.counters["bytes"] = double(QFileInfo(path).size());
}

void BM_LoadTestTextFile(benchmark::State& s)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.txt"));
    SaveTestTextFile(FullState(), path);
    TProgramState target;
    for (auto _ : s)
        LoadTestTextFile(target, path);
    if (target.Record().RowCount != MaxRows || target.Record().RunInfo.BatteryCount != MaxBatteries)
        s.SkipWithError("the full test did not load whole");
}

void BM_DecodeStoredTestFile(benchmark::State& s)
{
    const QByteArray bytes = StoredBytes(FullState().Record());
    auto work = std::make_unique<TTestRecord>();
    for (auto _ : s)
        benchmark::DoNotOptimize(DecodeStoredTestFile(bytes, *work));
}

} // namespace

BENCHMARK(BM_TextFileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTestTextFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTestTextFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeStoredTestFile)->Unit(benchmark::kMillisecond);

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

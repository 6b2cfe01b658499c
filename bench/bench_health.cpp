// Each battery's own result on a full-size test: every battery reaches its end voltage
// only near the end, so the pass reads nearly every row. The trend over 20 saved
// full-size tests: each file read and evaluated.
#include "FullTest.h"

#include "evaluation/BatteryHealth.h"
#include "evaluation/CapacityTrend.h"
#include "evaluation/MeasurementTable.h"
#include "evaluation/ShowTest.h"
#include "files/TestTextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
void BM_BatteryHealth(benchmark::State& bench)
{
    TProgramState s;
    LoadFullTest(s);
    s.Record().Header.EndVoltage = 10.6f * MaxBatteries;
    s.Texts.Gtypzk = QStringLiteral("180");
    s.Texts.Hvproud = QStringLiteral("  20.0A   ");
    for (auto _ : bench) {
        THealthOutcome outcome = LoadedTestHealth(s);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_BatteryHealth)->Unit(benchmark::kMillisecond);

void BM_Trend20FullTests(benchmark::State& bench)
{
    QTemporaryDir dir;
    QStringList files;
    {
        TProgramState s;
        LoadFullTest(s);
        s.Record().Header.EndVoltage = 10.6f * MaxBatteries;
        s.Record().Header.TestMinutes = 180;
        ShowTest(s);
        FillMeasurementTable(s);
        files << dir.filePath(QStringLiteral("t00.txt"));
        SaveTestTextFile(s, files[0]);
    }
    for (int i = 1; i < 20; ++i) {
        files << dir.filePath(QStringLiteral("t%1.txt").arg(i, 2, 10, QLatin1Char('0')));
        QFile::copy(files[0], files.back());
    }
    const TBatteryTypeList types;
    const TEvaluationChoices choices;
    for (auto _ : bench) {
        TTrend trend = EvaluateTrend(files, types, choices, {}, THealthSettings{});
        if (trend.Tests.size() != 20)
            bench.SkipWithError("a test was not read");
        benchmark::DoNotOptimize(trend);
    }
}
BENCHMARK(BM_Trend20FullTests)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

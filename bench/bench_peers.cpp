// Our reader beside a peer on the same file in the same run: the full-size test text file
// (108 x 10000) loaded by LoadTestTextFile, and its data block loaded by pandas' read_csv
// (TAB separated, decimal comma; bench/pandas_load.py times itself, without the interpreter's
// start-up).
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/ShowTest.h"
#include "evaluation/MeasurementTable.h"
#include "files/TestTextFile.h"
#include "model/LocaleFormat.h"
#include "support/RecordBuilder.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
QString fullTextFile;

void BM_LoadTestTextFile(benchmark::State& bench)
{
    TProgramState state;
    for (auto _ : bench)
        LoadTestTextFile(state, fullTextFile);
    bench.counters["rows"] = state.Record().RowCount;
}
BENCHMARK(BM_LoadTestTextFile)->Unit(benchmark::kMillisecond);

void BM_PandasReadCsv(benchmark::State& bench)
{
    for (auto _ : bench) {
        QProcess python;
        // Debian's interpreter, where python3-pandas is installed, whatever else is on PATH.
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(VYBITOR_SOURCE_DIR "/bench/pandas_load.py"), fullTextFile, QStringLiteral("5")});
        if (!python.waitForFinished(120000) || python.exitCode() != 0) {
            bench.SkipWithError("pandas is not available (python3-pandas)");
            return;
        }
        const QList<QByteArray> words = python.readAllStandardOutput().trimmed().split(' ');
        bench.SetIterationTime(words.value(0).toDouble() / 1000.0);
        bench.counters["rows"] = words.value(1).toDouble();
    }
}
BENCHMARK(BM_PandasReadCsv)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SetProgramLocale(QLocale(QLocale::Czech, QLocale::Czechia));
    benchmark::Initialize(&argc, argv);
    RecordingUserReport quiet;
    const ScopedUserReport use(&quiet);

    QTemporaryDir folder;
    fullTextFile = folder.filePath(QStringLiteral("full.txt"));
    TProgramState state;
    TakeOverRecord(state.Record(), *MakeStringRecord(MaxBatteries, MaxRows));
    ShowTest(state);
    FillMeasurementTable(state);
    SaveTestTextFile(state, fullTextFile);

    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

// Both reports of a full test written to PDF: the test report with 18 batteries on its
// chart, the data report of 10000 samples.
#include "FullTest.h"

#include "evaluation/MeasurementTable.h"
#include "presentation/DataReport.h"
#include "presentation/TestReport.h"
#include "support/WindowBenchmarks.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
void LoadForReports(TProgramState& state)
{
    LoadFullTest(state);
    FillMeasurementTable(state);
    QRandomGenerator random(5);
    state.Graph.Build(state.Record(), random);
    for (int k = 0; k < MaxBatteries; ++k)
        state.Graph.Checked[size_t(k)] = k < ReportLimit;
    state.Graph.Refresh(state.Record());
}

void BM_TestReportToPdf(benchmark::State& bench)
{
    QTemporaryDir dir;
    TProgramState state;
    LoadForReports(state);
    for (auto _ : bench)
        WriteTestReportPdf(dir.filePath(QStringLiteral("test.pdf")), PrepareTestReport(state));
}
BENCHMARK(BM_TestReportToPdf)->Unit(benchmark::kMillisecond);

void BM_DataReportToPdf(benchmark::State& bench)
{
    QTemporaryDir dir;
    TProgramState state;
    LoadForReports(state);
    for (auto _ : bench)
        WriteDataReportPdf(dir.filePath(QStringLiteral("data.pdf")), state);
}
BENCHMARK(BM_DataReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(2);
} // namespace

int main(int argc, char** argv)
{
    TWindowBenchmarks benchmarks(argc, argv);
    return benchmarks.Run();
}

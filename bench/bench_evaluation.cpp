// Figures for the load chain on the scaling grid: the measurement table filled and the
// capacity evaluated.
#include "ScalingGrid.h"

#include "app/ProgramState.h"
#include "evaluation/CapacityEvaluation.h"
#include "evaluation/MeasurementTable.h"
#include "support/RecordBuilder.h"

namespace {
void loadTest(TProgramState& s, int batteries, int rows)
{
    TakeOverRecord(s.Record(), *MakeStringRecord(batteries, rows));
    s.Record().Header.DischargeValue = 10;
    s.TempCompTables = {{QStringLiteral("lin"), {0, 0, 0, 0, 0, 0.01, 0.8}}};
    s.Choices.TKbat = 0;
    s.Choices.TKtyp = 1;
    s.Texts.Gtypzk = QStringLiteral("600");
    s.Texts.Hvproud = QStringLiteral("  10.0A   ");
}

void BM_FillMeasurementTable(benchmark::State& bench)
{
    TProgramState s;
    loadTest(s, int(bench.range(0)), int(bench.range(1)));
    TMeasurementTableModel model(s);
    for (auto _ : bench)
        FillMeasurementTable(s);
}
BENCHMARK(BM_FillMeasurementTable)->Apply(ScalingGrid)->Unit(benchmark::kMillisecond);

void BM_EvaluateCapacity(benchmark::State& bench)
{
    TProgramState s;
    loadTest(s, int(bench.range(0)), int(bench.range(1)));
    for (auto _ : bench)
        EvaluateCapacity(s);
}
BENCHMARK(BM_EvaluateCapacity)->Apply(ScalingGrid)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}

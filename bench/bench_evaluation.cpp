// Figures for the load chain on a full-size test: 108 batteries, 10000 samples.
#include "app/ProgramState.h"
#include "evaluation/CapacityEvaluation.h"
#include "evaluation/MeasurementTable.h"

#include <benchmark/benchmark.h>

namespace {
void LoadFullTest(TProgramState& s)
{
    TTestRecord& r = s.Record();
    ClearRecord(r);
    r.RunInfo.BatteryCount = MaxBatteries;
    r.Header.Period = 10;
    r.Header.DischargeValue = 10;
    for (int k = 0; k < MaxBatteries; ++k)
        r.BatteryNumbers[k] = uint8_t(k + 1);
    r.RowCount = MaxRows;
    for (int i = 0; i < MaxRows; ++i) {
        r.Rows[i].CurrentA = 10;
        r.Rows[i].Temperature = 20;
        r.Rows[i].ElapsedSeconds = i * 10;
        for (int k = 0; k < MaxBatteries; ++k)
            r.Rows[i].Voltages[k] = 12.5f - 0.0001f * i;
    }
    s.TempCompTables = {{QStringLiteral("lin"), {0, 0, 0, 0, 0, 0.01, 0.8}}};
    s.Choices.TKbat = 0;
    s.Choices.TKtyp = 1;
    s.Texts.Gtypzk = QStringLiteral("600");
    s.Texts.Hvproud = QStringLiteral("  10.0A   ");
}

void BM_FillMeasurementTable(benchmark::State& bench)
{
    TProgramState s;
    LoadFullTest(s);
    TMeasurementTableModel model(s);
    for (auto _ : bench)
        FillMeasurementTable(s);
}
BENCHMARK(BM_FillMeasurementTable)->Unit(benchmark::kMillisecond);

void BM_EvaluateCapacity(benchmark::State& bench)
{
    TProgramState s;
    LoadFullTest(s);
    for (auto _ : bench)
        EvaluateCapacity(s);
}
BENCHMARK(BM_EvaluateCapacity)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}

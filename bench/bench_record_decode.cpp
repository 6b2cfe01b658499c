// Decoding a full stored test (108 batteries x 10000 rows) into the record: the codec alone,
// and the whole download load with its work record and take-over.
#include "model/StoredTestCodec.h"
#include "model/TestRecord.h"
#include "tester/TestDownload.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {
QByteArray fullStoredTest()
{
    auto record = std::make_unique<TTestRecord>();
    ClearRecord(*record);
    record->RunInfo.BatteryCount = MaxBatteries;
    record->RowCount = MaxRows;
    for (int k = 0; k < MaxBatteries; ++k)
        record->BatteryNumbers[k] = uint8_t(k + 1);
    std::vector<uint32_t> stamps(MaxRows);
    for (int r = 0; r < MaxRows; ++r) {
        stamps[r] = uint32_t(r) * 10000u;
        record->Rows[r].CurrentA = 10.0f;
        for (int k = 0; k < MaxBatteries; ++k)
            record->Rows[r].Voltages[k] = 12.0f - 0.0001f * r;
    }
    return EncodeStoredTest(*record, stamps.data());
}

void BM_CodecDecode(benchmark::State& state)
{
    const QByteArray bytes = fullStoredTest();
    auto record = std::make_unique<TTestRecord>();
    for (auto _ : state) {
        TStoredTestHead head;
        ReadStoredTestHead(bytes, head);
        for (qint64 r = 0; r < head.Rows; ++r)
            record->Rows[r].ElapsedSeconds = int32_t(ReadStoredRow(bytes, head, r, record->Rows[r]) / 1000);
        benchmark::DoNotOptimize(record->Rows[MaxRows - 1].Voltages[MaxBatteries - 1]);
    }
}
BENCHMARK(BM_CodecDecode)->Unit(benchmark::kMillisecond);

void BM_LoadDownloadedTest(benchmark::State& state)
{
    const QByteArray bytes = fullStoredTest();
    auto record = std::make_unique<TTestRecord>();
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadDownloadedTest(bytes, *record));
}
BENCHMARK(BM_LoadDownloadedTest)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();

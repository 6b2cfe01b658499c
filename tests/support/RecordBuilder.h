#pragma once
// Builds test records and their stored bytes for tests.

#include "model/StoredTestCodec.h"
#include "model/TestRecord.h"

#include <initializer_list>
#include <memory>
#include <vector>

inline std::unique_ptr<TTestRecord> MakeRecord(const std::vector<int>& batteryNumbers, int rows, int periodSeconds = 10)
{
    auto record = std::make_unique<TTestRecord>();
    ClearRecord(*record);
    const int n = int(batteryNumbers.size());
    for (int k = 0; k < n; ++k)
        record->BatteryNumbers[k] = uint8_t(batteryNumbers[k]);
    record->RunInfo.BatteryCount = uint8_t(n);
    record->Header.Period = uint8_t(periodSeconds);
    record->RowCount = rows;
    for (int r = 0; r < rows; ++r) {
        TMeasurementRow& row = record->Rows[r];
        row.CurrentA = 10.0f;
        row.TotalVoltage = 12.0f * n;
        row.Temperature = 20.0f;
        row.ElapsedSeconds = r * periodSeconds;
        for (int k = 0; k < n; ++k)
            row.Voltages[k] = 12.5f - 0.01f * r - 0.1f * k;
    }
    return record;
}

inline std::unique_ptr<TTestRecord> MakeRecord(std::initializer_list<int> batteryNumbers, int rows, int periodSeconds = 10)
{
    return MakeRecord(std::vector<int>(batteryNumbers), rows, periodSeconds);
}

// A string of batteries numbered 1 .. count, e.g. the full-size test (108, 10000).
inline std::unique_ptr<TTestRecord> MakeStringRecord(int count, int rows, int periodSeconds = 10)
{
    std::vector<int> numbers(count);
    for (int k = 0; k < count; ++k)
        numbers[k] = k + 1;
    return MakeRecord(numbers, rows, periodSeconds);
}

// Stored bytes with stamps start, start + period, ... (ms, wrapping like the tester's counter).
inline QByteArray StoredBytes(const TTestRecord& record, uint32_t firstStamp = 5000)
{
    std::vector<uint32_t> stamps(record.RowCount > 0 ? record.RowCount : 1);
    for (int r = 0; r < record.RowCount; ++r)
        stamps[r] = firstStamp + uint32_t(record.Rows[r].ElapsedSeconds) * 1000u;
    return EncodeStoredTest(record, stamps.data());
}

#pragma once
// A test for the presentation benchmarks, full-size unless told: batteries that discharge
// from about 12.9 V to 10.5 V, each a little apart from the others.

#include "app/ProgramState.h"
#include "model/TestRecord.h"

#include <cmath>

inline void LoadFullTest(TProgramState& state, int rows = MaxRows, int batteries = MaxBatteries)
{
    TTestRecord& r = state.Record();
    ClearRecord(r);
    r.RunInfo.BatteryCount = uint8_t(batteries);
    r.Header.Period = 1;
    for (int k = 0; k < batteries; ++k)
        r.BatteryNumbers[k] = uint8_t(k + 1);
    r.RowCount = rows;
    for (int i = 0; i < rows; ++i) {
        const double t = double(i) / rows;
        TMeasurementRow& row = r.Rows[i];
        row.CurrentA = 20;
        row.Temperature = 21.5f;
        row.ElapsedSeconds = i;
        row.TotalVoltage = 0;
        for (int k = 0; k < batteries; ++k) {
            row.Voltages[k] = float(12.9 - 0.9 * t - (1.5 + 0.01 * k) * std::pow(t, 8));
            row.TotalVoltage += row.Voltages[k];
        }
    }
}

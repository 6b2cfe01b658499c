#include "model/TestRecord.h"

#include <cstring>

void TakeOverRecord(TTestRecord& target, const TTestRecord& loaded)
{
    if (&target == &loaded)
        return;
    target.RunInfo = loaded.RunInfo;
    target.Header = loaded.Header;
    std::memcpy(target.BatteryNumbers, loaded.BatteryNumbers, sizeof target.BatteryNumbers);
    const int rows = loaded.RowCount < 0 ? 0 : (loaded.RowCount > MaxRows ? MaxRows : loaded.RowCount);
    std::memcpy(target.Rows, loaded.Rows, sizeof(TMeasurementRow) * rows);
    target.RowCount = rows;
}

void ClearRecord(TTestRecord& record)
{
    std::memset(static_cast<void*>(&record), 0, sizeof record);
}

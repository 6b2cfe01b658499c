#include "tester/TestDownload.h"

#include "app/UserReport.h"
#include "model/StoredTestCodec.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
// The tester's millisecond counter runs free and wraps at 2^32.
int32_t elapsedSeconds(uint32_t stamp, uint32_t first) { return int32_t(uint32_t(stamp - first) / 1000u); }

// The record is packed, so its rows' floats may sit at any address: they are reached
// through the row itself, never through a float pointer.
void clearVoltages(TMeasurementRow& row, int count)
{
    for (int k = 0; k < count; ++k)
        row.Voltages[k] = 0.0f;
}

bool readHead(const QByteArray& file, TStoredTestHead& head)
{
    if (!ReadStoredTestHead(file, head).isEmpty() || head.Remainder != 0) {
        UserReport().Message(QStringLiteral("Error"));
        return false;
    }
    return true;
}
} // namespace

QString TooManyRowsMessage(qint64 rows, qint64 kept)
{
    return QStringLiteral("Příliš mnoho měření(%1), načtu pouze %2 řádků měření").arg(rows).arg(kept);
}

bool LoadDownloadedTest(const QByteArray& file, TTestRecord& record)
{
    TStoredTestHead head;
    if (!readHead(file, head))
        return false;
    qint64 rows = head.Rows;
    if (rows > MaxRows) {
        UserReport().Message(TooManyRowsMessage(rows, MaxRows));
        rows = MaxRows;
    }
    auto work = std::make_unique<TTestRecord>();
    work->RunInfo = head.RunInfo;
    work->Header = head.Header;
    std::memcpy(work->BatteryNumbers, head.BatteryNumbers, sizeof work->BatteryNumbers);
    uint32_t first = 0;
    for (qint64 r = 0; r < rows; ++r) {
        const uint32_t stamp = ReadStoredRow(file, head, r, work->Rows[r]);
        if (r == 0)
            first = stamp;
        work->Rows[r].ElapsedSeconds = elapsedSeconds(stamp, first);
    }
    work->RowCount = int32_t(rows);
    TakeOverRecord(record, *work);
    return true;
}

bool AppendDownloadedTest(const QByteArray& file, TTestRecord& record)
{
    TStoredTestHead head;
    if (!readHead(file, head))
        return false;

    const int oldCount = std::clamp<int>(record.RunInfo.BatteryCount, 0, MaxBatteries);
    bool present[MaxBatteries + 1] = {};
    for (int k = 0; k < oldCount; ++k)
        present[record.BatteryNumbers[k]] = true;
    for (int j = 0; j < head.Batteries; ++j)
        present[head.BatteryNumbers[j]] = true;
    uint8_t united[MaxBatteries];
    int columnOf[MaxBatteries + 1] = {};
    int m = 0;
    for (int number = 1; number <= MaxBatteries; ++number)
        if (present[number]) {
            columnOf[number] = m;
            united[m++] = uint8_t(number);
        }

    const int e = std::clamp<int>(record.RowCount, 0, MaxRows);
    for (int r = 0; r < e; ++r) {
        TMeasurementRow& row = record.Rows[r];
        float old[MaxBatteries];
        for (int k = 0; k < oldCount; ++k)
            old[k] = row.Voltages[k];
        clearVoltages(row, m);
        for (int k = 0; k < oldCount; ++k)
            row.Voltages[columnOf[record.BatteryNumbers[k]]] = old[k];
    }

    qint64 added = head.Rows;
    if (e + added > MaxRows) {
        UserReport().Message(TooManyRowsMessage(e + added, MaxRows - e));
        added = MaxRows - e;
    }
    const int32_t offset = e > 0 ? record.Rows[e - 1].ElapsedSeconds : 0;
    uint32_t first = 0;
    TMeasurementRow incoming;
    for (qint64 i = 0; i < added; ++i) {
        const uint32_t stamp = ReadStoredRow(file, head, i, incoming);
        if (i == 0)
            first = stamp;
        TMeasurementRow& row = record.Rows[e + i];
        std::memcpy(&row, &incoming, offsetof(TMeasurementRow, ElapsedSeconds));
        row.ElapsedSeconds = elapsedSeconds(stamp, first) + offset;
        clearVoltages(row, m);
        for (int j = 0; j < head.Batteries; ++j)
            row.Voltages[columnOf[head.BatteryNumbers[j]]] = incoming.Voltages[j];
    }
    std::copy_n(united, m, record.BatteryNumbers);
    record.RunInfo.BatteryCount = uint8_t(m);
    record.RowCount = int32_t(e + added);
    return true;
}

#include "files/StoredTestFile.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/LoadChain.h"
#include "files/WholeFile.h"
#include "model/DataVersion.h"
#include "model/StoredTestCodec.h"
#include "tester/TestDownload.h"

#include <cstring>
#include <memory>

namespace {

// Elapsed seconds from the millisecond stamps. The tester's counter may start again in
// the middle of a test; the samples after a restart continue from the time before it.
class TElapsedClock {
public:
    int32_t Next(uint32_t stamp, bool firstRow, int32_t previousSeconds)
    {
        const uint32_t t = stamp + offset_;
        if (firstRow) {
            first_ = t;
            return 0;
        }
        const uint32_t before = uint32_t(previousSeconds) * 1000u;
        if (before > t) {
            offset_ += before;
            first_ = t;
            return previousSeconds + 1;
        }
        return int32_t((t - first_) / 1000u);
    }

private:
    uint32_t offset_ = 0;
    uint32_t first_ = 0;
};

} // namespace

QString DecodeStoredTestFile(const QByteArray& bytes, TTestRecord& work)
{
    TStoredTestHead head;
    const QString why = ReadStoredTestHead(bytes, head);
    if (!why.isEmpty())
        return why;
    qint64 rows = head.Rows;
    if (rows > MaxRows) {
        UserReport().Message(TooManyRowsMessage(rows, MaxRows));
        rows = MaxRows;
    }
    work.RunInfo = head.RunInfo;
    work.Header = head.Header;
    std::memcpy(work.BatteryNumbers, head.BatteryNumbers, sizeof work.BatteryNumbers);
    TElapsedClock clock;
    for (qint64 r = 0; r < rows; ++r) {
        TMeasurementRow& row = work.Rows[r];
        const uint32_t stamp = ReadStoredRow(bytes, head, r, row);
        row.ElapsedSeconds = clock.Next(stamp, r == 0, r > 0 ? work.Rows[r - 1].ElapsedSeconds : 0);
    }
    work.RowCount = int32_t(rows);
    return {};
}

void LoadStoredTestFile(TProgramState& state, const QString& path)
{
    const QByteArray bytes = ReadWholeFile(path);
    if (bytes.isEmpty())
        return;
    auto work = std::make_unique<TTestRecord>();
    ClearRecord(*work);
    if (const QString why = DecodeStoredTestFile(bytes, *work); !why.isEmpty()) {
        UserReport().Message(FileMessage(QStringLiteral("Error: ") + why, path));
        return;
    }
    ApplyDataVersionPower(work->Header, state.Settings.DataVersion == DataVersion101);
    TakeOverRecord(state.Record(), *work);
    ShowLoadedTest(state);
}

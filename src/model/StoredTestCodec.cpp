#include "model/StoredTestCodec.h"

#include <cmath>
#include <cstring>

namespace {
template <typename T>
T readAt(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
} // namespace

QString ReadStoredTestHead(const QByteArray& bytes, TStoredTestHead& head)
{
    if (bytes.size() < StoredBatteryNumbersOffset)
        return QStringLiteral("The test is shorter than its header (%1 bytes).").arg(bytes.size());
    const char* p = bytes.constData();
    std::memcpy(&head.RunInfo, p, sizeof head.RunInfo);
    std::memcpy(&head.Header, p + StoredHeaderOffset, sizeof head.Header);
    const int n = head.RunInfo.BatteryCount;
    if (n > MaxBatteries)
        return QStringLiteral("The test announces %1 batteries; at most %2 are possible.").arg(n).arg(MaxBatteries);
    if (bytes.size() < StoredBatteryNumbersOffset + n)
        return QStringLiteral("The test is shorter than its list of %1 batteries.").arg(n);
    for (int k = 0; k < n; ++k) {
        const uint8_t b = uint8_t(p[StoredBatteryNumbersOffset + k]);
        if (b >= MaxBatteries)
            return QStringLiteral("Battery %1 of the test has the number %2; numbers go from 1 to %3.")
                .arg(k + 1).arg(int(b) + 1).arg(MaxBatteries);
        head.BatteryNumbers[k] = uint8_t(b + 1);
    }
    head.Batteries = n;
    const qint64 data = bytes.size() - StoredBatteryNumbersOffset - n;
    head.Rows = data / StoredRowSize(n);
    head.Remainder = data % StoredRowSize(n);
    return {};
}

uint32_t ReadStoredRow(const QByteArray& bytes, const TStoredTestHead& head, qint64 r, TMeasurementRow& row)
{
    const int n = head.Batteries;
    const char* p = bytes.constData() + StoredBatteryNumbersOffset + n + r * StoredRowSize(n);
    row.CurrentA = readAt<float>(p);
    row.CurrentB = readAt<float>(p + 4);
    row.TotalVoltage = readAt<float>(p + 8);
    row.Temperature = readAt<float>(p + 12);
    const uint32_t stamp = readAt<uint32_t>(p + 16);
    const char* v = p + 20;
    for (int k = 0; k < n; ++k)
        row.Voltages[k] = float(readAt<uint16_t>(v + 2 * k)) / 100.0f;
    return stamp;
}

QByteArray EncodeStoredTest(const TTestRecord& record, const uint32_t* stamps)
{
    const int n = record.RunInfo.BatteryCount;
    const int rows = record.RowCount;
    QByteArray out(StoredBatteryNumbersOffset + n + qint64(rows) * StoredRowSize(n), '\0');
    char* p = out.data();
    std::memcpy(p, &record.RunInfo, sizeof record.RunInfo);
    std::memcpy(p + StoredHeaderOffset, &record.Header, sizeof record.Header);
    for (int k = 0; k < n; ++k)
        p[StoredBatteryNumbersOffset + k] = char(record.BatteryNumbers[k] - 1);
    char* q = p + StoredBatteryNumbersOffset + n;
    for (int r = 0; r < rows; ++r, q += StoredRowSize(n)) {
        const TMeasurementRow& row = record.Rows[r];
        std::memcpy(q, &row.CurrentA, 16);
        std::memcpy(q + 16, &stamps[r], 4);
        for (int k = 0; k < n; ++k) {
            const long cv = std::lround(double(row.Voltages[k]) * 100.0);
            const uint16_t value = uint16_t(cv < 0 ? 0 : (cv > 65535 ? 65535 : cv));
            std::memcpy(q + 20 + 2 * k, &value, 2);
        }
    }
    return out;
}

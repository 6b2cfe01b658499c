// Stored tests as a field engineer brings them home: stationary strings of 2 V lead-acid
// cells, 12 V blocks and NiCd cells, discharged at their rated current (or power) until
// the string or its weakest battery reaches the end voltage. One 110 V set is tested on
// three dates and loses capacity, mostly through one failing cell.
#include "TesterSim.h"

#include "model/CodePage.h"
#include "model/TestRecord.h"

#include <QDateTime>
#include <cmath>
#include <memory>
#include <vector>

namespace {

enum class Chemistry { LeadCell, LeadBlock, NiCd };

struct SiteTest {
    const char* file;
    int testNumber;
    const char* start; // "yyyy-MM-dd HH:mm", the tester's clock
    const char* locality;
    const char* measuredBy;
    const char* batteryType;
    const char* batteryId;
    Chemistry chemistry;
    int batteries;
    int periodSeconds;
    int ratedMinutes;
    bool power;
    float discharge;     // A, or W for a constant-power test
    double capacity;     // share of the rated duration the healthy batteries deliver
    int weakBattery;     // 1-based, 0 for none
    double weakCapacity; // the weak battery's share
    float temperature;   // at the start, degrees Celsius
};

const SiteTest siteTests[] = {
    {"B0112.tst", 112, "2023-05-16 07:42", "Plzeň, Doubravka", "Dvořák", "6 OPzS 420", "110V-BAT1", Chemistry::LeadCell, 54, 60, 600, false, 42.0f, 1.04, 17, 1.00, 18.5f},
    {"B0157.tst", 157, "2024-05-14 08:05", "Plzeň, Doubravka", "Dvořák", "6 OPzS 420", "110V-BAT1", Chemistry::LeadCell, 54, 60, 600, false, 42.0f, 0.99, 17, 0.90, 19.0f},
    {"B0203.tst", 203, "2025-05-20 07:55", "Plzeň, Doubravka", "Veselý", "6 OPzS 420", "110V-BAT1", Chemistry::LeadCell, 54, 60, 600, false, 42.0f, 0.95, 17, 0.78, 17.5f},
    {"B0121.tst", 121, "2023-09-12 09:20", "Brno, Líšeň", "Novák", "12 OPzV 1200", "220V-A", Chemistry::LeadCell, 104, 30, 180, false, 300.0f, 1.02, 0, 0, 21.0f},
    {"B0134.tst", 134, "2023-11-07 10:35", "Ostrava, Poruba", "Šťastná", "4 OPzS 200", "48V-UST2", Chemistry::LeadCell, 24, 60, 300, false, 33.6f, 0.97, 9, 0.93, 22.5f},
    {"B0166.tst", 166, "2024-06-25 13:10", "Praha 4, Michle", "Kůrka", "VRLA 12V 100Ah", "UPS-B", Chemistry::LeadBlock, 32, 10, 60, true, 20000.0f, 0.91, 0, 0, 24.0f},
    {"B0189.tst", 189, "2024-11-19 11:40", "Jihlava, TR Pávov", "Malý", "VRLA 12V 200Ah", "220V-BL", Chemistry::LeadBlock, 18, 30, 180, false, 53.3f, 0.97, 11, 0.88, 19.5f},
    {"B0178.tst", 178, "2024-10-03 07:15", "Kolín, TR Zálabí", "Říha", "NiCd KM 250", "110V-NC", Chemistry::NiCd, 92, 60, 300, false, 50.0f, 1.01, 0, 0, 15.0f},
};

int cellsPerBattery(Chemistry c) { return c == Chemistry::LeadBlock ? 6 : 1; }
// End of discharge per cell: the string's end voltage, and the one battery limit below it.
double endPerCell(Chemistry c) { return c == Chemistry::NiCd ? 1.00 : c == Chemistry::LeadBlock ? 1.60 : 1.80; }
double limitPerCell(Chemistry c) { return endPerCell(c) - 0.10; }

// Cell voltage under load at depth x (elapsed time over the battery's own duration): a
// flat slope, then the knee at the end of the capacity.
double cellVoltage(Chemistry c, double x)
{
    if (c == Chemistry::NiCd)
        return 1.27 - 0.11 * x - 0.17 * std::pow(x, 12);
    return 2.07 - 0.10 * x - 0.20 * std::pow(x, 10);
}

std::unique_ptr<TTestRecord> build(const SiteTest& s, std::vector<uint32_t>& stamps)
{
    auto r = std::make_unique<TTestRecord>();
    ClearRecord(*r);
    const QDateTime epoch(QDate(1980, 1, 1), QTime(0, 0), Qt::UTC);
    QDateTime start = QDateTime::fromString(QString::fromLatin1(s.start), QStringLiteral("yyyy-MM-dd HH:mm"));
    start.setTimeSpec(Qt::UTC);
    r->RunInfo.StartTime = uint32_t(epoch.secsTo(start));
    r->RunInfo.BatteryCount = uint8_t(s.batteries);
    for (int k = 0; k < s.batteries; ++k)
        r->BatteryNumbers[k] = uint8_t(k + 1);
    r->Header.TestNumber = int16_t(s.testNumber);
    r->Header.Period = uint8_t(s.periodSeconds);
    r->Header.DischargeValue = s.discharge;
    r->Header.TestMinutes = uint16_t(s.ratedMinutes);
    r->Header.PowerMode = s.power ? 1 : 0;
    const int cells = cellsPerBattery(s.chemistry);
    r->Header.EndVoltage = float(std::round(endPerCell(s.chemistry) * cells * s.batteries * 10.0) / 10.0);
    SetFieldText(r->Header.Locality, QString::fromUtf8(s.locality));
    SetFieldText(r->Header.MeasuredBy, QString::fromUtf8(s.measuredBy));
    SetFieldText(r->Header.BatteryType, QString::fromUtf8(s.batteryType));
    SetFieldText(r->Header.BatteryId, QString::fromUtf8(s.batteryId));

    // Each battery's own duration: the set's share with a small spread, the weak one less.
    std::vector<double> duration(s.batteries);
    for (int k = 0; k < s.batteries; ++k) {
        const double share = k + 1 == s.weakBattery ? s.weakCapacity : s.capacity + 0.012 * std::sin(k * 2.3);
        duration[k] = share * s.ratedMinutes * 60.0;
    }
    const double stringEnd = r->Header.EndVoltage;
    const double batteryLimit = limitPerCell(s.chemistry) * cells;
    const uint32_t counterStart = 1200000000u + uint32_t(s.testNumber) * 7919u;
    r->RunInfo.EndReason = 5; // the tester's own time limit, unless a voltage ends it first
    const int maxRows = std::min(int(s.ratedMinutes * 60 * 1.3 / s.periodSeconds), int(MaxRows));
    stamps.resize(maxRows);
    int rows = 0;
    for (; rows < maxRows; ++rows) {
        TMeasurementRow& row = r->Rows[rows];
        const int elapsed = rows * s.periodSeconds;
        double total = 0;
        double lowest = 1e9;
        for (int k = 0; k < s.batteries; ++k) {
            const double x = std::min(elapsed / duration[k], 1.15);
            // The first minutes show the voltage settling from its float level.
            const double settle = 0.05 * std::exp(-elapsed / 240.0);
            const double v = cells * (cellVoltage(s.chemistry, x) + settle - 0.004 * (k % 5)) + 0.003 * std::sin(rows * 0.7 + k);
            row.Voltages[k] = float(std::round(v * 1000.0) / 1000.0);
            total += row.Voltages[k];
            lowest = std::min(lowest, double(row.Voltages[k]));
        }
        row.TotalVoltage = float(total);
        const double current = s.power ? s.discharge / total : s.discharge;
        const double ripple = 0.002 * current * std::sin(rows * 1.3);
        row.CurrentA = float(current / 2 + ripple);
        row.CurrentB = float(current / 2 - ripple * 0.5);
        row.Temperature = float(s.temperature + 1.8 * (1.0 - std::exp(-elapsed / 7200.0)) + 0.1 * std::sin(rows * 0.11));
        row.ElapsedSeconds = elapsed;
        stamps[rows] = counterStart + uint32_t(elapsed) * 1000u + uint32_t(rows % 4);
        if (total <= stringEnd || lowest <= batteryLimit) {
            r->RunInfo.EndReason = total <= stringEnd ? 3 : 2;
            ++rows;
            break;
        }
    }
    r->RowCount = rows;
    stamps.resize(rows);
    return r;
}
} // namespace

void GenerateSiteTests(const QString& folder)
{
    for (const SiteTest& s : siteTests) {
        std::vector<uint32_t> stamps;
        auto record = build(s, stamps);
        WriteStoredTestFile(folder, s.file, *record, stamps);
    }
}

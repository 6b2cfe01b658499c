// Realistic stored tests for the demo and the tests: strings of 4 to 108 batteries,
// minutes to ten hours, constant current and constant power, Czech localities.
#include "TesterSim.h"

#include "model/CodePage.h"
#include "model/StoredTestCodec.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <memory>
#include <vector>

namespace {
struct SampleSpec {
    const char* file;
    int testNumber;
    int batteries;
    int periodSeconds;
    int rows;
    bool power;
    float discharge;
    const char* locality;
    const char* measuredBy;
    const char* batteryType;
    const char* batteryId;
    int minutes;
    int endReason;
    float temperature;
};

const SampleSpec samples[] = {
    {"A0001.tst", 1, 4, 10, 60, false, 25.0f, "Brno, Hala 2", "Novák", "OPzS 100", "B-2024-01", 10, 1, 21.5f},
    {"A0002.tst", 2, 12, 30, 120, false, 50.0f, "Plzeň, rozvodna", "Dvořák", "OGi 200", "SADA 7", 60, 2, 19.0f},
    {"A0003.tst", 3, 24, 60, 300, true, 1500.0f, "Ústí nad Labem", "Šťastná", "VRLA 150", "UPS-3", 180, 3, 24.0f},
    {"A0004.tst", 4, 54, 120, 300, false, 12.5f, "Český Krumlov", "Kůrka", "OPzV 300", "TR-54", 600, 5, 17.5f},
    {"A0005.tst", 5, 108, 60, 600, false, 80.0f, "Žďár nad Sázavou", "Říha", "OGiV 500", "DC-108", 600, 2, 22.0f},
    {"A0006.tst", 6, 6, 10, 90, true, 300.0f, "Olomouc, Třída Míru", "Hájek", "12V 65Ah", "SKRYTÝ", 15, 0, 20.0f},
};

std::unique_ptr<TTestRecord> build(const SampleSpec& s, std::vector<uint32_t>& stamps)
{
    auto r = std::make_unique<TTestRecord>();
    ClearRecord(*r);
    r->RunInfo.StartTime = 1388534400u + uint32_t(s.testNumber) * 86400u * 37u; // spread over the years
    r->RunInfo.BatteryCount = uint8_t(s.batteries);
    for (int k = 0; k < s.batteries; ++k)
        r->BatteryNumbers[k] = uint8_t(k + 1);
    r->RunInfo.EndReason = uint8_t(s.endReason);
    r->Header.TestNumber = int16_t(s.testNumber);
    r->Header.Period = uint8_t(s.periodSeconds);
    r->Header.DischargeValue = s.discharge;
    r->Header.TestMinutes = uint16_t(s.minutes);
    r->Header.PowerMode = s.power ? 1 : 0;
    r->Header.EndVoltage = 1.80f * 6.0f * float(s.batteries > 24 ? 1 : 2);
    SetFieldText(r->Header.Locality, QString::fromUtf8(s.locality));
    SetFieldText(r->Header.MeasuredBy, QString::fromUtf8(s.measuredBy));
    SetFieldText(r->Header.BatteryType, QString::fromUtf8(s.batteryType));
    SetFieldText(r->Header.BatteryId, QString::fromUtf8(s.batteryId));
    r->RowCount = s.rows;
    stamps.resize(s.rows);
    const uint32_t counterStart = 4000000000u - uint32_t(s.testNumber) * 1000000u; // some wrap during the test
    for (int i = 0; i < s.rows; ++i) {
        TMeasurementRow& row = r->Rows[i];
        const double t = double(i) / std::max(s.rows - 1, 1);
        float total = 0;
        for (int k = 0; k < s.batteries; ++k) {
            // Each battery sags a little differently; a few weak ones drop at the end.
            const double weak = (k * 37 % 11 == 0) ? 0.35 * std::pow(t, 6) : 0.0;
            const double v = 12.9 - 1.1 * t - 0.02 * (k % 7) - weak + 0.01 * std::sin(i * 0.3 + k);
            row.Voltages[k] = float(std::round(v * 100.0) / 100.0);
            total += row.Voltages[k];
        }
        row.TotalVoltage = total;
        row.CurrentA = s.power ? float(s.discharge / std::max(total, 1.0f)) : s.discharge * 0.5f;
        row.CurrentB = s.power ? 0.0f : s.discharge * 0.5f;
        row.Temperature = float(s.temperature + 1.5 * t);
        row.ElapsedSeconds = i * s.periodSeconds;
        stamps[i] = counterStart + uint32_t(i) * uint32_t(s.periodSeconds) * 1000u + uint32_t(i % 3);
    }
    return r;
}
} // namespace

void WriteStoredTestFile(const QString& folder, const char* name, const TTestRecord& record,
                         const std::vector<uint32_t>& stamps)
{
    QDir().mkpath(folder);
    QFile f(QDir(folder).filePath(QString::fromLatin1(name)));
    if (f.open(QIODevice::WriteOnly))
        f.write(EncodeStoredTest(record, stamps.data()));
}

void GenerateSampleTests(const QString& folder)
{
    QDir().mkpath(folder);
    for (const SampleSpec& s : samples) {
        std::vector<uint32_t> stamps;
        auto record = build(s, stamps);
        WriteStoredTestFile(folder, s.file, *record, stamps);
    }
    QFile hidden(QDir(folder).filePath(QStringLiteral("hidden.txt")));
    if (hidden.open(QIODevice::WriteOnly))
        hidden.write("A0006.tst\n");
}

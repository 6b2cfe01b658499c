// Realistic stored tests for the demo and the tests: strings of 4 to 108 batteries,
// minutes to ten hours, constant current and constant power, Czech localities.
#include "TesterSim.h"

#include "SimBytes.h"
#include "model/StoredTestCodec.h"

#include <QDir>
#include <QFile>
#include <cmath>
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

// The stored test layout: run block (7 bytes), header (91), N battery numbers (0-based),
// then rows of four floats, a millisecond stamp and N voltages in hundredths of a volt.
QByteArray build(const SampleSpec& s)
{
    using namespace SimBytes;
    const int n = s.batteries;
    const int rowSize = 20 + 2 * n;
    QByteArray b(98 + n + s.rows * rowSize, '\0');
    PutU32(b, 1, 1388534400u + uint32_t(s.testNumber) * 86400u * 37u); // spread over the years
    b[5] = char(n);
    b[6] = char(s.endReason);
    const int h = 7;
    PutU16(b, h + 0, quint16(s.testNumber));
    b[h + 2] = char(s.periodSeconds);
    PutText(b, h + 3, 17, QString::fromUtf8(s.batteryId));
    PutF32(b, h + 21, s.discharge);
    PutU16(b, h + 25, quint16(s.minutes));
    b[h + 29] = char(s.power ? 1 : 0);
    PutF32(b, h + 30, 1.80f * 6.0f * float(n > 24 ? 1 : 2));
    PutText(b, h + 39, 20, QString::fromUtf8(s.locality));
    PutText(b, h + 59, 15, QString::fromUtf8(s.measuredBy));
    PutText(b, h + 74, 17, QString::fromUtf8(s.batteryType));
    for (int k = 0; k < n; ++k)
        b[98 + k] = char(k);
    const uint32_t counterStart = 4000000000u - uint32_t(s.testNumber) * 1000000u; // some wrap during the test
    for (int i = 0; i < s.rows; ++i) {
        const int at = 98 + n + i * rowSize;
        const double t = double(i) / std::max(s.rows - 1, 1);
        float total = 0;
        for (int k = 0; k < n; ++k) {
            // Each battery sags a little differently; a few weak ones drop at the end.
            const double weak = (k * 37 % 11 == 0) ? 0.35 * std::pow(t, 6) : 0.0;
            const double v = 12.9 - 1.1 * t - 0.02 * (k % 7) - weak + 0.01 * std::sin(i * 0.3 + k);
            const int hundredths = int(std::lround(v * 100.0));
            PutU16(b, at + 20 + 2 * k, quint16(hundredths));
            total += float(hundredths) / 100.0f;
        }
        PutF32(b, at + 0, s.power ? float(s.discharge / std::max(total, 1.0f)) : s.discharge * 0.5f);
        PutF32(b, at + 4, s.power ? 0.0f : s.discharge * 0.5f);
        PutF32(b, at + 8, total);
        PutF32(b, at + 12, float(s.temperature + 1.5 * t));
        PutU32(b, at + 16, counterStart + uint32_t(i) * uint32_t(s.periodSeconds) * 1000u + uint32_t(i % 3));
    }
    return b;
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
        QFile f(QDir(folder).filePath(QString::fromLatin1(s.file)));
        if (f.open(QIODevice::WriteOnly))
            f.write(build(s));
    }
    QFile hidden(QDir(folder).filePath(QStringLiteral("hidden.txt")));
    if (hidden.open(QIODevice::WriteOnly))
        hidden.write("A0006.tst\n");
}

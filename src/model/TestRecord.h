#pragma once
// The one test in memory and the byte layouts the tester stores it in.
// All layouts are packed and little-endian (the build targets little-endian hosts only).

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "byte layouts assume a little-endian host");

inline constexpr int MaxBatteries = 108;
inline constexpr int MaxRows = 10000;

#pragma pack(push, 1)

struct TTestRunInfo {
    uint8_t Reserved0;
    uint32_t StartTime;     // seconds since 1.1.1980 00:00:00, tester clock
    uint8_t BatteryCount;   // N, at most 108
    uint8_t EndReason;
};

struct TTestHeader {
    int16_t TestNumber;
    uint8_t Period;          // seconds
    char BatteryId[17];
    uint8_t Reserved20;
    float DischargeValue;    // A, or W when PowerMode != 0
    uint16_t TestMinutes;
    uint8_t Reserved27[2];
    uint8_t PowerMode;       // 0 constant current, otherwise constant power
    float EndVoltage;
    uint8_t Reserved34[5];
    char Locality[20];
    char MeasuredBy[15];
    char BatteryType[17];
};

struct TMeasurementRow {
    float CurrentA;
    float CurrentB;
    float TotalVoltage;
    float Temperature;
    int32_t ElapsedSeconds;
    float Voltages[MaxBatteries];
};

#pragma pack(pop)

static_assert(sizeof(TTestRunInfo) == 7);
static_assert(offsetof(TTestRunInfo, StartTime) == 1);
static_assert(offsetof(TTestRunInfo, BatteryCount) == 5);
static_assert(offsetof(TTestRunInfo, EndReason) == 6);

static_assert(sizeof(TTestHeader) == 91);
static_assert(offsetof(TTestHeader, Period) == 2);
static_assert(offsetof(TTestHeader, BatteryId) == 3);
static_assert(offsetof(TTestHeader, Reserved20) == 20);
static_assert(offsetof(TTestHeader, DischargeValue) == 21);
static_assert(offsetof(TTestHeader, TestMinutes) == 25);
static_assert(offsetof(TTestHeader, Reserved27) == 27);
static_assert(offsetof(TTestHeader, PowerMode) == 29);
static_assert(offsetof(TTestHeader, EndVoltage) == 30);
static_assert(offsetof(TTestHeader, Reserved34) == 34);
static_assert(offsetof(TTestHeader, Locality) == 39);
static_assert(offsetof(TTestHeader, MeasuredBy) == 59);
static_assert(offsetof(TTestHeader, BatteryType) == 74);

static_assert(sizeof(TMeasurementRow) == 113 * 4);
static_assert(offsetof(TMeasurementRow, ElapsedSeconds) == 16);
static_assert(offsetof(TMeasurementRow, Voltages) == 20);

// Offsets inside the stored test layout.
inline constexpr int StoredRunInfoSize = sizeof(TTestRunInfo);
inline constexpr int StoredHeaderOffset = StoredRunInfoSize;
inline constexpr int StoredBatteryNumbersOffset = StoredRunInfoSize + sizeof(TTestHeader); // 98
static_assert(StoredBatteryNumbersOffset == 98);
// Bytes of one stored row for N batteries: 4 floats, a uint32 ms stamp, N uint16 centivolts.
constexpr int StoredRowSize(int batteries) { return 20 + 2 * batteries; }

// Large (about 4.5 MB): allocated once for the run and never copied.
struct TTestRecord {
    TTestRunInfo RunInfo;
    TTestHeader Header;
    uint8_t BatteryNumbers[MaxBatteries]; // 1-based
    TMeasurementRow Rows[MaxRows + 1];
    int32_t RowCount;

    TTestRecord() = default;
    TTestRecord(const TTestRecord&) = delete;
    TTestRecord& operator=(const TTestRecord&) = delete;
};

// Takes over a record decoded into a work area: copies the valid part only
// (run block, header, battery numbers and the first RowCount rows), so a load
// that failed half way never touches the test in memory.
void TakeOverRecord(TTestRecord& target, const TTestRecord& loaded);
// Sets the record to its start-up state: all zero.
void ClearRecord(TTestRecord& record);

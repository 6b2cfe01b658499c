#pragma once
// The tester's table of test settings per locality, as the PC edits it and as it travels
// in ".lkt" files and to the tester (/config/lokality.lkt).

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct TLocalityPreset {
    uint8_t Period;          // s, 10 to 255
    char BatteryType[17];
    char BatteryId[17];
    uint8_t MeasureOnly;     // 0 "Ne", 1 "Ano"
    float DischargeValue;    // A or W
    uint16_t TestLength;     // min, 0 to 60000
    uint8_t EndAtLength;     // 0 "Ne", 1 "Ano"
    uint8_t PowerMode;       // 0 "A", 1 "W"
    float EndVoltage;
    float CellVoltage;       // 1.50 to 2.25
    uint8_t Reserved;        // always 0
    char Locality[20];
    char MeasuredBy[15];
};
#pragma pack(pop)

static_assert(sizeof(TLocalityPreset) == 88);
static_assert(offsetof(TLocalityPreset, BatteryType) == 1);
static_assert(offsetof(TLocalityPreset, BatteryId) == 18);
static_assert(offsetof(TLocalityPreset, MeasureOnly) == 35);
static_assert(offsetof(TLocalityPreset, DischargeValue) == 36);
static_assert(offsetof(TLocalityPreset, TestLength) == 40);
static_assert(offsetof(TLocalityPreset, EndAtLength) == 42);
static_assert(offsetof(TLocalityPreset, PowerMode) == 43);
static_assert(offsetof(TLocalityPreset, EndVoltage) == 44);
static_assert(offsetof(TLocalityPreset, CellVoltage) == 48);
static_assert(offsetof(TLocalityPreset, Reserved) == 52);
static_assert(offsetof(TLocalityPreset, Locality) == 53);
static_assert(offsetof(TLocalityPreset, MeasuredBy) == 73);

inline constexpr int MaxPresets = 250;

struct TPresetTable {
    uint8_t Version = 0;
    uint8_t PresetCount = 0;
    TLocalityPreset Presets[MaxPresets]{};
    uint16_t Checksum = 0; // as received from the tester; not used otherwise
};

// The one table of the run; survives closing the window.
TPresetTable& PresetTable();

// Tester display character set: Czech letters on the control codes 1 to 31.
uint8_t ToTesterChar(uint8_t ansi);
uint8_t FromTesterChar(uint8_t tester);

// Text of a preset field (up to the first zero byte or its width) and back; the text is
// cut to the width and zero-terminated when shorter.
QString PresetText(const char* field, int width);
void SetPresetText(char* field, int width, const QString& text);
template <int N>
QString PresetText(const char (&field)[N]) { return PresetText(field, N); }
template <int N>
void SetPresetText(char (&field)[N], const QString& text) { SetPresetText(field, N, text); }

// A preset with the window's defaults (period 10, 5.0 A, 42.0 V, 1.75 V per cell).
TLocalityPreset DefaultPreset();

// The ".lkt" bytes: version 1, count, the valid presets, the byte sum modulo 65536.
QByteArray EncodePresetFile(const TPresetTable& table);
// Replaces the table with the file's presets. A file announcing more than MaxPresets or
// shorter than its count announces throws VybitorError and leaves the table as it was.
void DecodePresetFile(const QByteArray& bytes, TPresetTable& table);

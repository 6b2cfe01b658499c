#include "admin/LocalityPreset.h"

#include "model/CodePage.h"
#include "model/Errors.h"

#include <array>
#include <cstring>

namespace {

// Windows-1250 code -> tester code, for the characters the tester's display knows.
constexpr std::array<std::pair<uint8_t, uint8_t>, 32> TesterLetters{{
    {225, 1},  {232, 2},  {239, 3},  {233, 4},  {236, 5},  {237, 6},  {242, 7},  {243, 8},
    {248, 9},  {157, 11}, {250, 12}, {249, 13}, {253, 14}, {158, 15}, {154, 16}, {193, 17},
    {200, 18}, {207, 19}, {201, 20}, {204, 21}, {205, 22}, {210, 23}, {211, 24}, {216, 25},
    {138, 26}, {141, 27}, {218, 28}, {217, 29}, {221, 30}, {142, 31}, {176, 126}, {169, 127},
}};

constexpr int PresetFileHead = 2;

} // namespace

TPresetTable& PresetTable()
{
    static TPresetTable table;
    return table;
}

uint8_t ToTesterChar(uint8_t ansi)
{
    for (const auto& [from, to] : TesterLetters)
        if (from == ansi)
            return to;
    return ansi < 128 ? ansi : uint8_t('X');
}

uint8_t FromTesterChar(uint8_t tester)
{
    for (const auto& [to, from] : TesterLetters)
        if (from == tester)
            return to;
    return tester;
}

QString PresetText(const char* field, int width)
{
    const void* zero = std::memchr(field, 0, width);
    QByteArray bytes(field, zero ? int(static_cast<const char*>(zero) - field) : width);
    for (char& c : bytes)
        c = char(FromTesterChar(uint8_t(c)));
    return DecodeAnsi(bytes);
}

void SetPresetText(char* field, int width, const QString& text)
{
    QByteArray bytes = EncodeAnsi(text).left(width);
    for (char& c : bytes)
        c = char(ToTesterChar(uint8_t(c)));
    std::memset(field, 0, width);
    std::memcpy(field, bytes.constData(), bytes.size());
}

TLocalityPreset DefaultPreset()
{
    TLocalityPreset p{};
    p.Period = 10;
    p.DischargeValue = 5.0f;
    p.EndVoltage = 42.0f;
    p.CellVoltage = 1.75f;
    return p;
}

QByteArray EncodePresetFile(const TPresetTable& table)
{
    QByteArray bytes;
    bytes.append(char(1));
    bytes.append(char(table.PresetCount));
    bytes.append(reinterpret_cast<const char*>(table.Presets),
                 qsizetype(sizeof(TLocalityPreset)) * table.PresetCount);
    uint16_t sum = 0;
    for (char c : bytes)
        sum = uint16_t(sum + uint8_t(c));
    bytes.append(char(sum & 0xFF));
    bytes.append(char(sum >> 8));
    return bytes;
}

void DecodePresetFile(const QByteArray& bytes, TPresetTable& table)
{
    if (bytes.size() < PresetFileHead)
        throw VybitorError(QStringLiteral("The preset file is too short."));
    const int count = uint8_t(bytes[1]);
    if (count > MaxPresets)
        throw VybitorError(QStringLiteral("The preset file announces %1 presets; at most %2 are possible.")
                               .arg(count).arg(MaxPresets));
    if (bytes.size() < PresetFileHead + qsizetype(sizeof(TLocalityPreset)) * count)
        throw VybitorError(QStringLiteral("The preset file is shorter than its %1 presets.").arg(count));
    table.Version = uint8_t(bytes[0]);
    table.PresetCount = uint8_t(count);
    std::memcpy(table.Presets, bytes.constData() + PresetFileHead, sizeof(TLocalityPreset) * count);
}

#include "model/CodePage.h"
#include "model/DataVersion.h"
#include "model/StoredTestCodec.h"

#include <QByteArray>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {
template <typename T>
void put(QByteArray& bytes, T value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Run block and header written byte by byte as the tester lays them out, then the battery
// numbers (0-based).
QByteArray handBuiltHead(std::initializer_list<uint8_t> zeroBasedNumbers)
{
    QByteArray b;
    put<uint8_t>(b, 0xAB);                                  // reserved
    put<uint32_t>(b, 86400);                                // StartTime
    put<uint8_t>(b, uint8_t(zeroBasedNumbers.size()));      // BatteryCount
    put<uint8_t>(b, 3);                                     // EndReason
    put<int16_t>(b, 42);                                    // TestNumber
    put<uint8_t>(b, 30);                                    // Period
    b.append("ABCDEFGHIJKLMNOPQ", 17);                      // BatteryId filling its width
    put<uint8_t>(b, 'Z');                                   // reserved, not part of the id
    put<float>(b, 12.5f);                                   // DischargeValue
    put<uint16_t>(b, 180);                                  // TestMinutes
    put<uint16_t>(b, 0);                                    // reserved
    put<uint8_t>(b, 0);                                     // PowerMode
    put<float>(b, 1.75f);                                   // EndVoltage
    b.append(5, '\0');                                      // reserved
    b.append(QByteArray("Brno\0", 5).leftJustified(20, 'x')); // Locality, zero-terminated
    b.append(QByteArray("Nov\xE1k", 5).leftJustified(15, '\0'));
    b.append(QByteArray("OPzS").leftJustified(17, '\0'));
    for (uint8_t n : zeroBasedNumbers)
        put<uint8_t>(b, n);
    return b;
}

void appendRow(QByteArray& b, float a, float bcur, float total, float temp, uint32_t stamp,
               std::initializer_list<uint16_t> centivolts)
{
    put(b, a), put(b, bcur), put(b, total), put(b, temp), put(b, stamp);
    for (uint16_t cv : centivolts)
        put(b, cv);
}
} // namespace

TEST(StoredTestCodec, DecodesHandBuiltBytes)
{
    QByteArray bytes = handBuiltHead({0, 107});
    appendRow(bytes, 5.0f, 4.5f, 25.0f, 21.5f, 0xFFFFFF00u, {1250, 1199});
    appendRow(bytes, 5.0f, 4.0f, 24.0f, 22.0f, 0x00000100u, {1, 65535});
    bytes.append("\x01\x02\x03", 3);

    TStoredTestHead head;
    ASSERT_EQ(ReadStoredTestHead(bytes, head), "");
    // Unary + reads packed fields by value; a reference to one would be misaligned.
    EXPECT_EQ(+head.RunInfo.StartTime, 86400u);
    EXPECT_EQ(head.RunInfo.EndReason, 3);
    EXPECT_EQ(+head.Header.TestNumber, 42);
    EXPECT_EQ(head.Header.Period, 30);
    EXPECT_EQ(FieldText(head.Header.BatteryId), "ABCDEFGHIJKLMNOPQ");
    EXPECT_FLOAT_EQ(head.Header.DischargeValue, 12.5f);
    EXPECT_EQ(+head.Header.TestMinutes, 180);
    EXPECT_FLOAT_EQ(head.Header.EndVoltage, 1.75f);
    EXPECT_EQ(FieldText(head.Header.Locality), "Brno");
    EXPECT_EQ(FieldText(head.Header.MeasuredBy), "Novák");
    EXPECT_EQ(FieldText(head.Header.BatteryType), "OPzS");
    EXPECT_EQ(head.Batteries, 2);
    EXPECT_EQ(head.BatteryNumbers[0], 1);
    EXPECT_EQ(head.BatteryNumbers[1], 108);
    EXPECT_EQ(head.Rows, 2);
    EXPECT_EQ(head.Remainder, 3);

    TMeasurementRow row{};
    EXPECT_EQ(ReadStoredRow(bytes, head, 0, row), 0xFFFFFF00u);
    EXPECT_FLOAT_EQ(row.CurrentB, 4.5f);
    EXPECT_FLOAT_EQ(row.Temperature, 21.5f);
    EXPECT_FLOAT_EQ(row.Voltages[0], 12.5f);
    EXPECT_FLOAT_EQ(row.Voltages[1], 11.99f);
    EXPECT_EQ(ReadStoredRow(bytes, head, 1, row), 0x100u);
    EXPECT_FLOAT_EQ(row.Voltages[0], 0.01f);
    EXPECT_FLOAT_EQ(row.Voltages[1], 655.35f);

    // The encoder gives back the same bytes (without the remainder).
    auto record = std::make_unique<TTestRecord>();
    ClearRecord(*record);
    record->RunInfo = head.RunInfo;
    record->Header = head.Header;
    record->BatteryNumbers[0] = 1, record->BatteryNumbers[1] = 108;
    record->RowCount = 2;
    const uint32_t stamps[] = {ReadStoredRow(bytes, head, 0, record->Rows[0]),
                               ReadStoredRow(bytes, head, 1, record->Rows[1])};
    EXPECT_EQ(EncodeStoredTest(*record, stamps), bytes.chopped(3));
}

TEST(StoredTestCodec, NoBatteriesMeansTwentyByteRows)
{
    QByteArray bytes = handBuiltHead({});
    ASSERT_EQ(bytes.size(), 98);
    appendRow(bytes, 1, 2, 3, 4, 5, {});
    TStoredTestHead head;
    ASSERT_EQ(ReadStoredTestHead(bytes, head), "");
    EXPECT_EQ(head.Rows, 1);
    EXPECT_EQ(head.Remainder, 0);
}

TEST(StoredTestCodec, RefusesWhatCannotBeATest)
{
    TStoredTestHead head;
    EXPECT_NE(ReadStoredTestHead(handBuiltHead({}).left(97), head), "");
    EXPECT_NE(ReadStoredTestHead(handBuiltHead({0, 1}).chopped(1), head), "");
    EXPECT_NE(ReadStoredTestHead(handBuiltHead({0, 108}), head), "");
    QByteArray tooMany = handBuiltHead({});
    tooMany[5] = char(109);
    tooMany.append(109, '\0');
    EXPECT_NE(ReadStoredTestHead(tooMany, head), "");
    EXPECT_EQ(head.Batteries, 0);
}

TEST(DataVersion, PowerAtOffset25OnlyForVersion101AndPowerMode)
{
    TTestHeader header{};
    header.DischargeValue = 10.0f;
    const float power = 1234.5f;
    std::memcpy(reinterpret_cast<char*>(&header) + 25, &power, 4);
    const TTestHeader stored = header;

    ApplyDataVersionPower(header, true); // constant current: untouched
    EXPECT_FLOAT_EQ(header.DischargeValue, 10.0f);
    header.PowerMode = 1;
    ApplyDataVersionPower(header, false);
    EXPECT_FLOAT_EQ(header.DischargeValue, 10.0f);
    ApplyDataVersionPower(header, true);
    EXPECT_FLOAT_EQ(header.DischargeValue, power);
    EXPECT_EQ(+header.TestMinutes, +stored.TestMinutes);
}

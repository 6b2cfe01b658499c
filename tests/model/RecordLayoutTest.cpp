#include "model/CodePage.h"
#include "model/LocaleFormat.h"
#include "model/TestRecord.h"
#include "support/LocaleScope.h"

#include <gtest/gtest.h>
#include <cstring>

TEST(TextFields, FullWidthFieldHasNoTerminatorAndReservedByteIsNotText)
{
    TTestHeader h{};
    std::memset(h.BatteryId, 'A', sizeof h.BatteryId);
    h.Reserved20 = 'Z';
    EXPECT_EQ(FieldText(h.BatteryId), QString(17, QLatin1Char('A')));
}

TEST(TextFields, CzechTextRoundTripsThroughWindows1250)
{
    char field[20];
    SetFieldText(field, QStringLiteral("Příbram, Hala č. 3 žluť"));
    EXPECT_EQ(static_cast<unsigned char>(field[1]), 0xF8); // ř in Windows-1250
    EXPECT_EQ(FieldText(field), QStringLiteral("Příbram, Hala č. 3 ž"));
}

TEST(LocaleFormat, PatternsUseTheLocaleSeparatorOnlyInNumbers)
{
    {
        LocaleScope cs("cs_CZ");
        EXPECT_EQ(FormatLocale("%6.1fA   ", 12.34), QStringLiteral("  12,3A   "));
        EXPECT_EQ(FormatLocale("%5.1fmin  ", 60.0), QStringLiteral(" 60,0min  "));
        EXPECT_EQ(FormatLocale("Ul. %.2f", 1.005f), QStringLiteral("Ul. 1,00"));
        EXPECT_EQ(FormatLocale("%d%%", 42), QStringLiteral("42%"));
    }
    LocaleScope en("en_US");
    EXPECT_EQ(FormatLocale("%6.1fW   ", 1500.0), QStringLiteral("1500.0W   "));
    EXPECT_EQ(FormatLocale("%s=%d", {QStringLiteral("ř"), 5}), QStringLiteral("ř=5"));
}

TEST(LocaleFormat, DecimalsReadOnlyWithTheLocaleSeparator)
{
    double v = -1;
    {
        LocaleScope cs("cs_CZ");
        EXPECT_TRUE(ParseLocaleDouble(QStringLiteral(" 12,5 "), v));
        EXPECT_DOUBLE_EQ(v, 12.5);
        EXPECT_FALSE(ParseLocaleDouble(QStringLiteral("12.5"), v));
        EXPECT_FALSE(ParseLocaleDouble(QString(), v));
    }
    LocaleScope en("en_US");
    EXPECT_TRUE(ParseLocaleDouble(QStringLiteral("-0.25"), v));
    EXPECT_DOUBLE_EQ(v, -0.25);
    EXPECT_FALSE(ParseLocaleDouble(QStringLiteral("1,5"), v));
    EXPECT_FALSE(ParseLocaleDouble(QStringLiteral("abc"), v));
}

TEST(LocaleFormat, TesterClockStartsIn1980AndLongTimeHasNoZone)
{
    EXPECT_EQ(TesterDateTime(0).date(), QDate(1980, 1, 1));
    EXPECT_EQ(TesterDateTime(86400).date(), QDate(1980, 1, 2));
    LocaleScope cs("cs_CZ");
    EXPECT_FALSE(LongTimeFormat().contains(QLatin1Char('t')));
    EXPECT_EQ(LongTimeText(QTime(0, 0, 0)), QStringLiteral("0:00:00"));
}

#include "model/CodePage.h"
#include "model/LocaleFormat.h"
#include "model/TestRecord.h"
#include "support/LocaleScope.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

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

// The data grid's fast formatter must write exactly what printf writes, rounding ties,
// negative zero and huge values included.
TEST(LocaleFormat, FixedLocaleWritesWhatPrintfWrites)
{
    std::vector<double> values = {0.0, -0.0, 0.05, 0.15, 0.25, 2.675, 1.005, -0.04, -0.05, 12.345f, 99.95,
                                  1e20, -1e300, std::numeric_limits<double>::max(), 5e-324,
                                  std::numeric_limits<double>::infinity()};
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> volts(-20.0f, 3000.0f);
    for (int i = 0; i < 5000; ++i)
        values.push_back(volts(rng));
    for (const char* locale : {"cs_CZ", "en_US"}) {
        LocaleScope scope(locale);
        for (double v : values) {
            ASSERT_EQ(FixedLocale(v, 1), FormatLocale("%.1f", v)) << v;
            ASSERT_EQ(FixedLocale(v, 2), FormatLocale("%.2f", v)) << v;
        }
    }
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

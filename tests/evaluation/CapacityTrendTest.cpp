// Capacities of one battery set over three saved tests, evaluated with the main window's
// battery-type list and compensation choice.
#include "app/ProgramState.h"
#include "evaluation/CapacityTrend.h"
#include "evaluation/MeasurementTable.h"
#include "evaluation/ShowTest.h"
#include "files/TestTextFile.h"
#include "model/CodePage.h"
#include "model/Errors.h"
#include "support/LocaleScope.h"
#include "support/QtPrinting.h"
#include "evaluation/YearlyTests.h"

#include <QDate>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>


TEST(CapacityTrend, ThreeYearsOfOneSetShowTheDegradingBattery)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    const QStringList files{SaveYearlyTest(dir, QStringLiteral("c.txt"), QDate(2024, 5, 20), 75, false),
                            SaveYearlyTest(dir, QStringLiteral("a.txt"), QDate(2022, 5, 18), 100, false),
                            SaveYearlyTest(dir, QStringLiteral("b.txt"), QDate(2023, 5, 22), 95, true),
                            dir.filePath(QStringLiteral("missing.txt"))};
    // The list offers 100 min for the type among others; no compensation in the main window.
    const TBatteryTypeList types{{QStringLiteral("OPzS 250"), 120, 0, 0}, {QStringLiteral("OPzS 250"), 100, 0, 0}};
    TEvaluationChoices choices;
    const TTrend trend = EvaluateTrend(files, types, choices, {}, THealthSettings{});

    ASSERT_EQ(trend.Tests.size(), 3u);
    EXPECT_EQ(trend.Tests[0].Start.date(), QDate(2022, 5, 18));
    EXPECT_EQ(trend.Tests[1].Start.date(), QDate(2023, 5, 22));
    EXPECT_EQ(trend.Tests[2].Start.date(), QDate(2024, 5, 20));
    ASSERT_EQ(trend.Skipped.size(), 1u);
    EXPECT_TRUE(trend.Skipped[0].File.endsWith(QStringLiteral("missing.txt")));
    for (const TTrendTest& t : trend.Tests) {
        EXPECT_EQ(t.RatedMinutes, 100);
        // 109 minutes of 100, K = 1: the reader gives the last sample, above the end
        // voltage, the time of the one before
        EXPECT_DOUBLE_EQ(t.Health.StringPct, 109.0);
    }

    std::vector<int> numbers(Set);
    for (int i = 0; i < Set; ++i)
        numbers[size_t(i)] = i + 1;
    EXPECT_EQ(trend.Batteries, numbers);
    const std::vector<double>& five = trend.Capacity[Degrading - 1];
    EXPECT_DOUBLE_EQ(five[0], 100.0);
    EXPECT_DOUBLE_EQ(five[1], 95.0); // matched by number in the reversed test
    EXPECT_DOUBLE_EQ(five[2], 75.0);
    // It falls to its end voltage while most others still stand at 11,5 V: at 100 min in the
    // first test (with batteries 3, 6, 9 and 12), then alone at 95 and 75 min.
    EXPECT_EQ(trend.Weak[Degrading - 1], (std::vector<bool>{true, true, true}));
    EXPECT_EQ(trend.Weak[1 - 1], (std::vector<bool>{false, false, false}));
    EXPECT_DOUBLE_EQ(trend.Capacity[11 - 1][1], 102.0); // battery 11: 100 + 11 % 3

    const std::vector<TTrendFaller> fallers = BiggestFallers(trend, 3);
    ASSERT_FALSE(fallers.empty());
    EXPECT_EQ(fallers[0].Battery, Degrading);
    EXPECT_DOUBLE_EQ(fallers[0].Drop(), 25.0);
    EXPECT_DOUBLE_EQ(fallers[1].Drop(), 0.0);

    // The main window's compensation applies: K = 1.25 makes 100 minutes 80 %.
    choices.TKtyp = 2;
    choices.TKbat = 0;
    const TTrend compensated = EvaluateTrend(files.mid(0, 1), types, choices, {{QStringLiteral("k"), {0, 0, 0, 0, 0, 0, 1.25}}}, THealthSettings{});
    EXPECT_DOUBLE_EQ(compensated.Capacity[3 - 1][0], 80.0); // battery 3 reached at 100 min

    // Comparison curves: battery 5 of two tests on one time axis, and the total voltage.
    const TCompareCurve b = CompareCurve(files[2], Degrading);
    ASSERT_EQ(b.Minutes.size(), 111u);
    EXPECT_DOUBLE_EQ(b.Minutes[95], 95.0);
    EXPECT_FLOAT_EQ(float(b.Volts[95]), 10.3f);
    EXPECT_FLOAT_EQ(float(b.Volts[94]), 11.5f);
    EXPECT_THROW(CompareCurve(files[2], 99), VybitorError);
}

TEST(CapacityTrend, RatedDurationComesFromTheTypeList)
{
    const TBatteryTypeList types{{QStringLiteral("A"), 600, 0, 0}, {QStringLiteral("A"), 300, 0, 0}};
    EXPECT_EQ(TrendRatedMinutes(QStringLiteral("A"), 300, types), 300); // offered for the type
    EXPECT_EQ(TrendRatedMinutes(QStringLiteral("A"), 180, types), 600); // not offered: the type's first
    EXPECT_EQ(TrendRatedMinutes(QStringLiteral("B"), 180, types), 180); // unknown type: the test's own
}

// Choice of curves, the fixed voltage axis and the colours of the graph window.

#include "presentation/GraphSelection.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

namespace {
std::unique_ptr<TTestRecord> FlatRecord(int batteries, int rows, double low, double high)
{
    auto record = MakeRecord({}, 0);
    record->RunInfo.BatteryCount = uint8_t(batteries);
    record->RowCount = rows;
    for (int r = 0; r < rows; ++r) {
        record->Rows[r].ElapsedSeconds = r * 60;
        record->Rows[r].TotalVoltage = float(high * batteries);
        for (int k = 0; k < batteries; ++k)
            record->Rows[r].Voltages[k] = float(r == 0 ? high : low);
    }
    return record;
}
} // namespace

TEST(GraphAxis, RoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(12.5), 12);
    EXPECT_EQ(RoundHalfEven(13.5), 14);
    EXPECT_EQ(RoundHalfEven(9.5), 10);
    EXPECT_EQ(RoundHalfEven(10.7), 11);
}

TEST(GraphAxis, BuildFixesTheAxisAroundAllBatteryPoints)
{
    QRandomGenerator random(1);
    TGraphSelection graph;
    graph.Build(*FlatRecord(4, 5, 11.2, 13.7), random);
    EXPECT_EQ(graph.Axis.Min, 11);
    EXPECT_EQ(graph.Axis.Max, 14);
    graph.Build(*FlatRecord(4, 5, 10.0, 13.0), random);
    EXPECT_EQ(graph.Axis.Min, 10);
    EXPECT_EQ(graph.Axis.Max, 14);
}

// Curves spanning less than 2 V are fixed in tenths: the 2 V cells of site test B0203,
// 1.70 to 2.12 V, give 1.6 to 2.2 V. The total voltage widens the span back to whole volts.
TEST(GraphAxis, NarrowSpansAreFixedInTenths)
{
    QRandomGenerator random(1);
    auto record = FlatRecord(4, 5, 1.70, 2.12);
    TGraphSelection graph;
    graph.Build(*record, random);
    EXPECT_DOUBLE_EQ(graph.Axis.Min, 1.6);
    EXPECT_DOUBLE_EQ(graph.Axis.Max, 2.2);
    graph.UCelkove = true;
    graph.Refresh(*record);
    EXPECT_EQ(graph.Axis.Min, 1);
    EXPECT_EQ(graph.Axis.Max, RoundHalfEven(2.12f * 4 + 0.5));
    // Every curve stays at least 0.05 V inside; a span of exactly 2 V is whole volts.
    EXPECT_DOUBLE_EQ(FixedAxis(12.34, 13.66).Min, 12.2);
    EXPECT_DOUBLE_EQ(FixedAxis(12.34, 13.66).Max, 13.8);
    EXPECT_DOUBLE_EQ(FixedAxis(1.75, 2.05).Min, 1.7);
    EXPECT_DOUBLE_EQ(FixedAxis(10.0, 12.0).Max, 12);
}

TEST(GraphAxis, NoSamplesGiveAnAxisFromZero)
{
    QRandomGenerator random(1);
    TGraphSelection graph;
    graph.Build(*FlatRecord(3, 0, 0, 0), random);
    EXPECT_EQ(graph.Axis.Min, 0);
    EXPECT_EQ(graph.Axis.Max, 0);
    graph.Refresh(*FlatRecord(3, 0, 0, 0)); // nothing to cover: the axis stays
    EXPECT_EQ(graph.Axis.Max, 0);
}

TEST(GraphAxis, TotalVoltageCurveWidensTheAxis)
{
    QRandomGenerator random(1);
    auto record = FlatRecord(4, 5, 11.2, 13.7);
    TGraphSelection graph;
    graph.Build(*record, random);
    EXPECT_FALSE(graph.UCelkove);
    graph.UCelkove = true;
    graph.Refresh(*record);
    EXPECT_EQ(graph.Axis.Min, 11);
    EXPECT_EQ(graph.Axis.Max, RoundHalfEven(13.7 * 4 + 0.5));
}

TEST(GraphSelection, SadaNumbersWithinTheShownSet)
{
    QRandomGenerator random(1);
    TGraphSelection graph;
    graph.Build(*FlatRecord(6, 3, 11, 12), random);
    std::fill(graph.Checked.begin(), graph.Checked.end(), false);
    graph.Checked[1] = graph.Checked[4] = true;
    graph.Sada = true;
    EXPECT_EQ(graph.SeriesTitle(1), "Bat1");
    EXPECT_EQ(graph.SeriesTitle(4), "Bat2");
    graph.Sada = false;
    EXPECT_EQ(graph.SeriesTitle(1), "Bat2");
    EXPECT_EQ(graph.SeriesTitle(4), "Bat5");
}

TEST(GraphSelection, MultiOffMakesAClickTheOnlyBattery)
{
    QRandomGenerator random(1);
    TGraphSelection graph;
    graph.Build(*FlatRecord(5, 3, 11, 12), random);
    graph.Click(2);
    EXPECT_FALSE(graph.Checked[2]);
    EXPECT_EQ(graph.CheckedCount(), 4);
    graph.Multi = false;
    graph.Click(3);
    EXPECT_EQ(graph.CheckedCount(), 1);
    EXPECT_TRUE(graph.Checked[3]);
    graph.Click(3); // a radio button stays on when clicked again
    EXPECT_TRUE(graph.Checked[3]);
}

TEST(GraphSelection, ExtremesNeedThirteenBatteries)
{
    QRandomGenerator random(1);
    TGraphSelection graph;
    auto twelve = FlatRecord(12, 3, 11, 12);
    graph.Build(*twelve, random);
    EXPECT_FALSE(graph.ExtremesVisible());
    graph.Checked[0] = false;
    graph.SelectExtremes(*twelve, true);
    EXPECT_FALSE(graph.Checked[0]); // nothing happened
    graph.Build(*FlatRecord(13, 3, 11, 12), random);
    EXPECT_TRUE(graph.ExtremesVisible());
}

TEST(GraphSelection, TwelveMinOnEqualVoltagesTakesTheLaterBatteries)
{
    QRandomGenerator random(1);
    auto record = FlatRecord(20, 3, 11.5, 11.5);
    TGraphSelection graph;
    graph.Build(*record, random);
    graph.Multi = false;
    graph.SelectExtremes(*record, true);
    EXPECT_TRUE(graph.Multi);
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(graph.Checked[k], k >= 8) << "column " << k;
}

TEST(GraphSelection, TwelveMaxPicksTheHighestFinalVoltages)
{
    QRandomGenerator random(1);
    auto record = FlatRecord(15, 2, 11, 11);
    for (int k = 0; k < 15; ++k)
        record->Rows[1].Voltages[k] = float(10 + k);
    TGraphSelection graph;
    graph.Build(*record, random);
    graph.SelectExtremes(*record, false);
    for (int k = 0; k < 15; ++k)
        EXPECT_EQ(graph.Checked[k], k >= 3) << "column " << k;
    graph.SelectExtremes(*record, true);
    for (int k = 0; k < 15; ++k)
        EXPECT_EQ(graph.Checked[k], k < 12) << "column " << k;
}

TEST(GraphColours, SumOf750IsBrokenUp)
{
    QRandomGenerator random(7);
    for (int i = 0; i < 200000; ++i) {
        const QColor c = RandomBatteryColour(random);
        ASSERT_NE(c.red() + c.green() + c.blue(), 750);
    }
}

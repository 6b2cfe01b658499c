#include "app/ProgramState.h"
#include "evaluation/MeasurementTable.h"
#include "evaluation/ShowTest.h"
#include "model/CodePage.h"
#include "support/LocaleScope.h"
#include "support/RecordBuilder.h"

#include <gtest/gtest.h>

namespace {
void Load(TProgramState& s, std::initializer_list<int> numbers, int rows = 5)
{
    auto rec = MakeRecord(numbers, rows);
    TakeOverRecord(s.Record(), *rec);
}
} // namespace

TEST(ShowTest, HeaderFieldsWithTheirPatterns)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    Load(s, {1, 2});
    TTestHeader& h = s.Record().Header;
    SetFieldText(h.Locality, QStringLiteral("Praha hlavní nádraží")); // exactly 20 characters
    SetFieldText(h.BatteryType, QStringLiteral("OPzS 100"));
    h.TestNumber = 0;
    h.TestMinutes = 600;
    h.DischargeValue = 1500;
    h.PowerMode = 1;
    h.EndVoltage = 10.8f;
    s.Record().RunInfo.EndReason = 2;
    s.Texts.Hcislo_mereni = QStringLiteral("kept");
    ShowTest(s);
    EXPECT_EQ(s.Texts.Hpocet_baterii, QStringLiteral("2   "));
    EXPECT_EQ(s.Texts.Hdatum, ShortDateText(QDate(1980, 1, 1)) + QStringLiteral("   "));
    EXPECT_EQ(s.Texts.Hcas, LongTimeText(QTime(0, 0)) + QStringLiteral("   "));
    EXPECT_EQ(s.Texts.Hlokalita, QStringLiteral("Praha hlavní nádraží"));
    EXPECT_EQ(s.Texts.Hcislo_mereni, QStringLiteral("kept"));
    EXPECT_EQ(s.Texts.Gtypbat, QStringLiteral("OPzS 100"));
    EXPECT_EQ(s.Texts.Gtypzk, QStringLiteral("600"));
    EXPECT_EQ(s.Texts.Hperioda, QStringLiteral("10s   "));
    EXPECT_EQ(s.Texts.Lvproud, QStringLiteral("Vybíjecí výkon"));
    EXPECT_EQ(s.Texts.Hvproud, QStringLiteral("1500,0W   "));
    EXPECT_EQ(s.Texts.Hknap, QStringLiteral("  10,8V   "));
    EXPECT_EQ(s.Texts.Hstav, QStringLiteral("Napětí baterie  "));
    s.Record().RunInfo.EndReason = 7;
    h.PowerMode = 0;
    h.TestNumber = 12;
    ShowTest(s);
    EXPECT_EQ(s.Texts.Hstav, QStringLiteral("Neznámý  "));
    EXPECT_EQ(s.Texts.Lvproud, QStringLiteral("Vybíjecí proud"));
    EXPECT_EQ(s.Texts.Hvproud, QStringLiteral("1500,0A   "));
    EXPECT_EQ(s.Texts.Hcislo_mereni, QStringLiteral("12"));
}

TEST(ShowTest, AutomaticRowsInBothCombinations)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    Load(s, {3, 4, 7, 8});
    s.Settings.AutBat = true;
    s.Settings.AutNap = true;
    ShowTest(s);
    const TTextGrid& g = s.BatteryGrid;
    ASSERT_EQ(g.RowCount(), 3);
    ASSERT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.Cell(0, 1), QStringLiteral("Čísla baterií"));
    EXPECT_EQ(g.Cell(0, 2), QStringLiteral("Počáteční napětí"));
    EXPECT_EQ(g.Cell(3, 1), QStringLiteral("Bat7"));
    EXPECT_EQ(g.Cell(1, 2), QStringLiteral("12,50"));
    EXPECT_EQ(g.Cell(4, 2), QStringLiteral("12,20"));
    EXPECT_EQ(g.Cell(2, 0), QStringLiteral("2"));
    FillMeasurementTable(s);
    EXPECT_EQ(g.Cell(1, 0), QStringLiteral("Bat. 3"));
    EXPECT_EQ(g.Cell(4, 0), QStringLiteral("Bat. 8"));

    s.Settings.AutBat = false;
    ShowTest(s);
    ASSERT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cell(0, 1), QStringLiteral("Počáteční napětí"));
    EXPECT_EQ(g.Cell(2, 1), QStringLiteral("12,40"));
}

TEST(ShowTest, WithoutAutomaticRowsUserRowsStay)
{
    TProgramState s;
    s.BatteryGrid.SetSize(4, 3);
    s.BatteryGrid.SetCell(0, 3, QStringLiteral("Vnitřní odpor"));
    s.BatteryGrid.SetCell(1, 3, QStringLiteral("0,5"));
    Load(s, {1, 2, 3, 4});
    ShowTest(s);
    FillMeasurementTable(s);
    EXPECT_EQ(s.BatteryGrid.RowCount(), 4);
    EXPECT_EQ(s.BatteryGrid.ColCount(), 5);
    EXPECT_EQ(s.BatteryGrid.Cell(0, 3), QStringLiteral("Vnitřní odpor"));
    EXPECT_EQ(s.BatteryGrid.Cell(1, 3), QStringLiteral("0,5"));
    ClearBatteryCells(s);
    EXPECT_EQ(s.BatteryGrid.Cell(1, 3), QString());
    EXPECT_EQ(s.BatteryGrid.Cell(0, 3), QStringLiteral("Vnitřní odpor"));
    EXPECT_EQ(s.BatteryGrid.Cell(4, 0), QStringLiteral("Bat. 4"));
}

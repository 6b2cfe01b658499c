// Reading test text files written by hand or by older programs.
#include "files/FileTestSupport.h"
#include "files/TestTextFile.h"

#include "app/UserReport.h"
#include "model/Errors.h"
#include "support/LocaleScope.h"

#include <gtest/gtest.h>

namespace {

// A full-format file with two batteries (numbers 5 and 6) and three samples, '.' as separator.
QByteArray FullFile(const char* line5 = "Čas\t8:26:40\t1", const char* line9 = "Typ baterie\tOPzS 250\t0",
                    const char* trailerKind = "Zkouška\t180\t0", const char* operatorLine = "Za provozovatele\tDvořák")
{
    return TextFile({"Číslo měření\t17\tB-17", "Lokalita\tUl. Nová 1", "Zakázka\tZ.1", "Datum\t3.3.2008", line5,
                     "Vybíjecí proud\t  25.0", "Konečné napětí\t  42.0", "Vybíjecí charakteristika\tI", line9,
                     "Výrobní číslo\tA.1\tA2\t", "Poznámka\tviz str. 5", trailerKind, "Perioda\t10\t3",
                     "Měřil\tNovák", operatorLine, "", "Čas[s]\tProud\tNapětí\tTeplota\tBat\tBat",
                     "      \t     \t      \t       \t5\t6\t", "-----------------------------------",
                     "0\t25.0\t52.0\t21.5\t13.00\t12.90", "10\t25.0\t48.0\t21.5\t12.00\t11.90",
                     "20\t25.0\t41.0\t21.5\t10.25\t10.20"});
}

struct Loaded {
    QTemporaryDir dir;
    TProgramState state;
    QString path;
    void Load(const QByteArray& bytes, const QString& name = QStringLiteral("t.txt"))
    {
        path = WriteBytes(dir, name, bytes);
        LoadTestTextFile(state, path);
    }
};

} // namespace

TEST(LoadTestTextFile, FullFormatWithItsFields)
{
    LocaleScope cs("cs_CZ");
    Loaded l;
    l.state.Texts.Hprovoz = QStringLiteral("before");
    l.Load(FullFile());
    const TTestRecord& r = l.state.Record();
    EXPECT_EQ(l.state.Texts.Hcislo_mereni, QStringLiteral("17"));
    EXPECT_EQ(FieldText(r.Header.BatteryId), QStringLiteral("B-17"));
    EXPECT_EQ(TesterDateTime(r.RunInfo.StartTime), QDateTime(QDate(2008, 3, 3), QTime(8, 26, 40), Qt::UTC));
    EXPECT_EQ(r.Header.PowerMode, 0);
    // Unary + reads packed fields by value; a reference to one would be misaligned.
    EXPECT_EQ(+r.Header.TestMinutes, 180);
    EXPECT_EQ(r.RunInfo.EndReason, 3);
    EXPECT_EQ(FieldText(r.Header.MeasuredBy), QStringLiteral("Novák"));
    EXPECT_EQ(l.state.Texts.Hprovoz, QStringLiteral("Dvořák"));
    ASSERT_EQ(r.RunInfo.BatteryCount, 2);
    EXPECT_EQ(r.BatteryNumbers[0], 5);
    EXPECT_EQ(r.BatteryNumbers[1], 6);
    ASSERT_EQ(r.RowCount, 3);
    EXPECT_FLOAT_EQ(r.Rows[2].Voltages[0], 10.25f);
    EXPECT_EQ(+r.Rows[2].ElapsedSeconds, 20) << "41.0 is below the end voltage: the last row keeps its time";
    EXPECT_EQ(l.state.BatteryGrid.RowCount(), 2);
    EXPECT_EQ(l.state.Choices.TKtyp, 0) << "field 2 = 0: full format, no table";
    EXPECT_TRUE(l.state.TempCompTables.empty());
    EXPECT_EQ(l.state.Texts.Hdelka_testu, QStringLiteral("  0,3min  "));
}

TEST(LoadTestTextFile, DotFileOnACommaLocale)
{
    LocaleScope cs("cs_CZ");
    Loaded l;
    l.Load(FullFile());
    const TTestRecord& r = l.state.Record();
    EXPECT_FLOAT_EQ(r.Header.DischargeValue, 25.0f);
    EXPECT_FLOAT_EQ(r.Header.EndVoltage, 42.0f);
    EXPECT_FLOAT_EQ(r.Rows[0].Voltages[1], 12.9f);
    EXPECT_EQ(FieldText(r.Header.Locality), QStringLiteral("Ul. Nová 1")) << "the Lokalita line keeps its dots";
    EXPECT_EQ(l.state.Texts.Hzakazka, QStringLiteral("Z.1"));
    EXPECT_EQ(l.state.Texts.Hpoznamka, QStringLiteral("viz str, 5"));
    EXPECT_EQ(l.state.BatteryGrid.Cell(1, 1), QStringLiteral("A,1"));
}

TEST(LoadTestTextFile, VerzeLineIsSkipped)
{
    LocaleScope en("en_US");
    Loaded plain, versioned;
    plain.Load(FullFile());
    versioned.Load(TextFile({"Verze\t5.1"}) + FullFile());
    EXPECT_EQ(versioned.state.Texts.Hcislo_mereni, QStringLiteral("17"));
    EXPECT_EQ(TestTextFileBytes(versioned.state), TestTextFileBytes(plain.state));
}

TEST(LoadTestTextFile, BatteryTableRowsDefaultToFourAndFillUpToTheFirstEmptyCell)
{
    LocaleScope cs("cs_CZ");
    QByteArray bytes = FullFile("Čas\t8:26:40");
    const QByteArray row = TextFile({"Výrobní číslo\tA.1\tA2\t"});
    const QByteArray rows = TextFile({"R1\ta\t\tlost\t", "R2\t", "R3\tc", "R4\td\te"});
    bytes.replace(row, rows);
    Loaded l;
    l.state.BatteryGrid.SetSize(6, 3);
    l.state.BatteryGrid.SetCell(2, 1, QStringLiteral("kept"));
    l.Load(bytes);
    const TTextGrid& g = l.state.BatteryGrid;
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cell(1, 1), QStringLiteral("a"));
    EXPECT_EQ(g.Cell(2, 1), QStringLiteral("kept")) << "cells after the first empty field are not touched";
    EXPECT_EQ(g.Cell(2, 4), QStringLiteral("e"));
}

TEST(LoadTestTextFile, CompensationTableMatching)
{
    LocaleScope en("en_US");
    const char* withTable = "Typ baterie\tOPzS 250\t1\tolověné\t0\t0\t0\t0\t0\t0.0125\t0.75";
    Loaded l;
    l.state.TempCompTables = {{QStringLiteral("Jiné"), {}}, {QStringLiteral("Olověné"), {0, 0, 0, 0, 0, 0.0125, 0.75}}};
    l.state.Choices.TKbatItems = {QStringLiteral("Jiné"), QStringLiteral("Olověné")};
    l.Load(FullFile("Čas\t8:26:40\t1", withTable));
    EXPECT_EQ(l.state.Choices.TKtyp, 1);
    EXPECT_EQ(l.state.Choices.TKbat, 1) << "same name in another case and the same values";
    EXPECT_EQ(l.state.TempCompTables.size(), 2u);

    const char* changed = "Typ baterie\tOPzS 250\t1\tOlověné\t0\t0\t0\t0\t0\t0.0126\t0.75";
    l.Load(FullFile("Čas\t8:26:40\t1", changed));
    ASSERT_EQ(l.state.TempCompTables.size(), 3u);
    EXPECT_EQ(l.state.TempCompTables[2].Name, QStringLiteral("Olověné_1"));
    EXPECT_EQ(l.state.TempCompTables[2].Coef[5], 0.0126);
    EXPECT_EQ(l.state.Choices.TKbatItems.last(), QStringLiteral("Olověné_1"));
    EXPECT_EQ(l.state.Choices.TKbat, 2);

    l.Load(FullFile("Čas\t8:26:40\t1", changed));
    EXPECT_EQ(l.state.TempCompTables.size(), 3u) << "reopening the file adds no second copy";
    EXPECT_EQ(l.state.Choices.TKbat, 2);

    l.Load(FullFile("Čas\t8:26:40\t1", "Typ baterie\tOPzS 250\t2\tNová\t1\t2\t3\t4\t5\t6\t7"));
    ASSERT_EQ(l.state.TempCompTables.size(), 4u);
    EXPECT_EQ(l.state.TempCompTables[3].Name, QStringLiteral("Nová"));
    EXPECT_EQ(l.state.Choices.TKbat, 3);
}

TEST(LoadTestTextFile, TestKindBeforeItsSemicolonAndNoOperatorLine)
{
    LocaleScope cs("cs_CZ");
    Loaded l;
    l.state.Texts.Hprovoz = QStringLiteral("stays");
    QByteArray bytes = FullFile("Čas\t8:26:40\t1", "Typ baterie\tOPzS 250\t0", "Zkouška\t180;3 hodiny\t1");
    bytes.replace(TextFile({"Za provozovatele\tDvořák"}), QByteArray());
    l.Load(bytes);
    EXPECT_EQ(+l.state.Record().Header.TestMinutes, 180);
    EXPECT_EQ(l.state.Choices.TKkapacita, 1);
    EXPECT_EQ(l.state.Texts.Hprovoz, QStringLiteral("stays"));
    EXPECT_EQ(l.state.Record().RowCount, 3);
}

TEST(LoadTestTextFile, ShortFormatNumbersTheBatteriesAndDerivesTimes)
{
    LocaleScope cs("cs_CZ");
    Loaded l;
    l.Load(TextFile({"Číslo měření\t3", "Lokalita\tx", "Zakázka\t", "Datum\t1.2.2003", "Čas\t10:00:00",
                     "Proud\t10,0", "Napětí\t1,0", "Char\tW", "Typ baterie\tX", "", "", "", "",
                     "Poznámka\t", "Zkouška\t60", "Perioda\t10", "Měřil\tA", "", "t", "n", "r",
                     "1\t5,0\t40,0\t20,0\t2,10\t2,11\t2,12", "2\t5,0\t40,0\t20,0\t2,10\t2,11\t2,12",
                     "3\t5,0\t40,0\t20,0\t2,10\t2,11\t2,12", "4\t5,0\t0,5\t20,0\t2,10\t2,11\t2,12"}));
    const TTestRecord& r = l.state.Record();
    EXPECT_EQ(r.Header.PowerMode, 1);
    EXPECT_EQ(r.RunInfo.EndReason, 1) << "empty end reason";
    ASSERT_EQ(r.RunInfo.BatteryCount, 3);
    EXPECT_EQ(r.BatteryNumbers[0], 1);
    EXPECT_EQ(r.BatteryNumbers[2], 3);
    ASSERT_EQ(r.RowCount, 4);
    EXPECT_EQ(+r.Rows[0].ElapsedSeconds, 0);
    EXPECT_EQ(+r.Rows[1].ElapsedSeconds, 0);
    EXPECT_EQ(+r.Rows[2].ElapsedSeconds, 20);
    EXPECT_EQ(+r.Rows[3].ElapsedSeconds, 30);
}

TEST(LoadTestTextFile, LastSampleAboveTheEndVoltageTakesThePreviousTime)
{
    LocaleScope cs("cs_CZ");
    QByteArray bytes = FullFile();
    bytes.replace("20\t25.0\t41.0", "20\t25.0\t50.2");
    Loaded l;
    l.Load(bytes);
    EXPECT_EQ(+l.state.Record().Rows[2].ElapsedSeconds, 10);
    EXPECT_EQ(l.state.Texts.Hdelka_testu, QStringLiteral("  0,2min  "));
}

TEST(LoadTestTextFile, EmptyLinesAtTheEndAreNoSamples)
{
    LocaleScope cs("cs_CZ");
    Loaded l;
    l.Load(FullFile() + "\r\n\r\n  \r\n");
    EXPECT_EQ(l.state.Record().RowCount, 3);
}

TEST(LoadTestTextFile, MoreThan10000SamplesAreCutWithTheMessage)
{
    LocaleScope cs("cs_CZ");
    RecordingUserReport report;
    ScopedUserReport scoped(&report);
    QByteArray bytes = FullFile();
    for (int i = 3; i < 10002; ++i)
        bytes += QByteArray::number(i * 10) + "\t25.0\t41.0\t21.5\t10.25\t10.20\r\n";
    Loaded l;
    l.Load(bytes);
    EXPECT_EQ(l.state.Record().RowCount, MaxRows);
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Příliš mnoho měření(10002), načtu pouze 10000 řádků měření")});
}

// Writing the test text file and reading it back.
#include "files/FileTestSupport.h"
#include "files/ReadOnlyFolder.h"
#include "files/TestTextFile.h"

#include "app/UserReport.h"
#include "i18n/TranslationRegistry.h"
#include "model/Errors.h"
#include "support/LocaleScope.h"

#include <gtest/gtest.h>

namespace {

QList<QByteArray> LinesOf(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    EXPECT_TRUE(lines.last().isEmpty()) << "the last line ends with CR LF";
    lines.removeLast();
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.constData();
        line.chop(1);
    }
    return lines;
}

QString Line(const QList<QByteArray>& lines, int i) { return DecodeAnsi(lines.value(i)); }

void EditTexts(TProgramState& s)
{
    s.Texts.Hcislo_mereni = QStringLiteral("17");
    s.Texts.Hzakazka = QStringLiteral("Z-2008/3");
    s.Texts.Hpoznamka = QStringLiteral("bez poznámky");
    s.Texts.Hprovoz = QStringLiteral("Dvořák");
    s.Settings.Provozovatel = true;
    s.BatteryGrid.SetRowCount(3);
    s.BatteryGrid.SetCell(0, 1, QStringLiteral("Výrobní číslo"));
    s.BatteryGrid.SetCell(1, 1, QStringLiteral("A1"));
    s.BatteryGrid.SetCell(2, 1, QStringLiteral("A2"));
    s.BatteryGrid.SetCell(0, 2, QStringLiteral("Rok"));
    s.BatteryGrid.SetCell(1, 2, QStringLiteral("2007"));
    s.TempCompTables.push_back({QStringLiteral("Olověné"), {0, 0, 0, 0, 0, 0.0125, 0.75}});
    s.Choices.TKbatItems << QStringLiteral("Olověné");
    s.Choices.TKtyp = 2;
    s.Choices.TKbat = 0;
    s.Choices.TKkapacita = 1;
}

} // namespace

TEST(SaveTestTextFile, HeaderLinesAsTheirPatternsSay)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    ShowBuiltTest(s, {3, 4}, 3);
    EditTexts(s);
    const QList<QByteArray> lines = LinesOf(TestTextFileBytes(s));
    EXPECT_EQ(Line(lines, 0), QStringLiteral("Číslo měření\t17\tB-17"));
    EXPECT_EQ(Line(lines, 1), QStringLiteral("Lokalita\tŽďár 2"));
    EXPECT_EQ(Line(lines, 2), QStringLiteral("Zakázka\tZ-2008/3"));
    EXPECT_EQ(Line(lines, 3), QStringLiteral("Datum\t3.3.2008"));
    EXPECT_EQ(Line(lines, 4), QStringLiteral("Čas\t8:26:40\t2"));
    EXPECT_EQ(Line(lines, 5), QStringLiteral("Vybíjecí proud\t  25,0"));
    EXPECT_EQ(Line(lines, 6), QStringLiteral("Konečné napětí\t  26,0"));
    EXPECT_EQ(Line(lines, 7), QStringLiteral("Vybíjecí charakteristika\tI"));
    EXPECT_EQ(Line(lines, 8), QStringLiteral("Typ baterie\tOPzS 250\t2\tOlověné\t0\t0\t0\t0\t0\t0,0125\t0,75"));
    EXPECT_EQ(Line(lines, 9), QStringLiteral("Výrobní číslo\tA1\tA2\t"));
    EXPECT_EQ(Line(lines, 10), QStringLiteral("Rok\t2007\t\t"));
    EXPECT_EQ(Line(lines, 11), QStringLiteral("Poznámka\tbez poznámky"));
    EXPECT_EQ(Line(lines, 12), QStringLiteral("Zkouška\t180\t1"));
    EXPECT_EQ(Line(lines, 13), QStringLiteral("Perioda\t10\t2"));
    EXPECT_EQ(Line(lines, 14), QStringLiteral("Měřil\tNovák"));
    EXPECT_EQ(Line(lines, 15), QStringLiteral("Za provozovatele\tDvořák"));
    EXPECT_EQ(Line(lines, 16), QString());
    EXPECT_EQ(lines.value(0).left(7), QByteArray("\xC8\xEDslo m")) << "Windows-1250";

    s.Settings.Provozovatel = false;
    s.Choices.TKtyp = 0;
    s.Record().Header.PowerMode = 1;
    const QList<QByteArray> hidden = LinesOf(TestTextFileBytes(s));
    EXPECT_EQ(Line(hidden, 7), QStringLiteral("Vybíjecí charakteristika\tW"));
    EXPECT_EQ(Line(hidden, 8), QStringLiteral("Typ baterie\tOPzS 250\t0"));
    EXPECT_EQ(Line(hidden, 14), QStringLiteral("Měřil\tNovák"));
    EXPECT_EQ(Line(hidden, 15), QString()) << "no operator line while the field is hidden";
}

TEST(SaveTestTextFile, DataBlockOfTwoBatteriesByteForByte)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    ShowBuiltTest(s, {3, 4}, 2);
    TMeasurementRow& row = s.Record().Rows[1];
    row.ElapsedSeconds = 60;
    row.CurrentA = 24.96f;
    row.CurrentB = 0.04f;
    row.TotalVoltage = 24.1f;
    row.Temperature = 21.5f;
    row.Voltages[0] = 12.05f;
    row.Voltages[1] = 12.03f;
    const QByteArray bytes = TestTextFileBytes(s);
    const QByteArray block = bytes.mid(bytes.indexOf("\r\n\r\n") + 4);
    const QByteArray expected = EncodeAnsi(QStringLiteral(
        "Čas[s]\tProud\tNapětí\tTeplota\tBat\tBat\r\n"
        "      \t     \t      \t       \t3\t4\t\r\n"
        "-----------------------------------\r\n"
        "0\t10,0\t24,0\t20,0\t12,50\t12,40\r\n"
        "60\t25,0\t24,1\t21,5\t12,05\t12,03\r\n"));
    EXPECT_EQ(block, expected);
}

TEST(SaveTestTextFile, NoBatteryColumnsAndNoSamples)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    ShowBuiltTest(s, {}, 0);
    const QByteArray bytes = TestTextFileBytes(s);
    EXPECT_TRUE(bytes.endsWith(EncodeAnsi(QStringLiteral("Čas[s]\tProud\tNapětí\tTeplota\t\r\n"
                                                         "      \t     \t      \t       \t\r\n"
                                                         "----------------------------\r\n"))))
        << "no sample line for the data window's empty row";
}

TEST(SaveTestTextFile, TabsAndLineBreaksInTextsCannotShiftFields)
{
    LocaleScope cs("cs_CZ");
    TProgramState s;
    ShowBuiltTest(s, {1}, 2);
    s.Texts.Hpoznamka = QStringLiteral("a\tb\r\nc");
    s.BatteryGrid.SetCell(1, 1, QStringLiteral("x\ty"));
    const QList<QByteArray> lines = LinesOf(TestTextFileBytes(s));
    EXPECT_TRUE(lines.contains(EncodeAnsi(QStringLiteral("Poznámka\ta b  c"))));
}

class TextFileRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(TextFileRoundTrip, ReopenedTestHasTheValuesAtWrittenPrecision)
{
    LocaleScope locale(GetParam());
    QTemporaryDir dir;
    TProgramState s;
    ShowBuiltTest(s, {3, 4, 108}, 50);
    EditTexts(s);
    TTestRecord& r = s.Record();
    r.Rows[7].CurrentA = 12.34f;
    r.Rows[7].CurrentB = 0.52f;
    r.Rows[7].Voltages[2] = 2.345f;
    r.Rows[7].Temperature = -3.26f;
    const QString path = dir.filePath(QStringLiteral("Test17.TXT"));
    SaveTestTextFile(s, path);

    TProgramState back;
    back.Settings.Provozovatel = true;
    LoadTestTextFile(back, path);
    const TTestRecord& b = back.Record();
    EXPECT_EQ(back.Texts.Caption, QStringLiteral("Vybitor5 - ") + path);
    EXPECT_EQ(back.Texts.Hcislo_mereni, QStringLiteral("17"));
    EXPECT_EQ(back.Texts.Hzakazka, QStringLiteral("Z-2008/3"));
    EXPECT_EQ(back.Texts.Hprovoz, QStringLiteral("Dvořák"));
    EXPECT_EQ(back.Texts.Hlokalita, QStringLiteral("Žďár 2"));
    EXPECT_EQ(back.Texts.Hcislo_baterie, QStringLiteral("B-17"));
    EXPECT_EQ(back.Texts.Gtypzk, QStringLiteral("180"));
    // Unary + reads packed fields by value; a reference to one would be misaligned.
    EXPECT_EQ(+b.Header.TestNumber, 0);
    EXPECT_EQ(+b.RunInfo.StartTime, +r.RunInfo.StartTime);
    EXPECT_EQ(b.RunInfo.EndReason, 2);
    EXPECT_EQ(b.Header.Period, 10);
    EXPECT_FLOAT_EQ(b.Header.DischargeValue, 25.0f);
    EXPECT_FLOAT_EQ(b.Header.EndVoltage, 39.0f);
    ASSERT_EQ(b.RunInfo.BatteryCount, 3);
    EXPECT_EQ(b.BatteryNumbers[2], 108);
    ASSERT_EQ(b.RowCount, 50);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(+b.Rows[i].ElapsedSeconds, +r.Rows[i].ElapsedSeconds);
        EXPECT_NEAR(b.Rows[i].CurrentA, r.Rows[i].CurrentA + r.Rows[i].CurrentB, 0.05);
        EXPECT_EQ(+b.Rows[i].CurrentB, 0.0f);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(b.Rows[i].Voltages[k], r.Rows[i].Voltages[k], 0.005);
    }
    EXPECT_FLOAT_EQ(b.Rows[7].CurrentA, 12.9f);
    EXPECT_FLOAT_EQ(b.Rows[7].Temperature, -3.3f);
    EXPECT_EQ(back.BatteryGrid.Cell(0, 1), QStringLiteral("Výrobní číslo"));
    EXPECT_EQ(back.BatteryGrid.Cell(2, 1), QStringLiteral("A2"));
    EXPECT_EQ(back.BatteryGrid.Cell(1, 2), QStringLiteral("2007"));
    EXPECT_EQ(back.BatteryGrid.Cell(1, 0), QStringLiteral("Bat. 3"));
    EXPECT_EQ(back.Choices.TKtyp, 2);
    EXPECT_EQ(back.Choices.TKkapacita, 1);
    ASSERT_EQ(back.TempCompTables.size(), 1u);
    EXPECT_EQ(back.TempCompTables[0].Coef[5], 0.0125);
    EXPECT_EQ(back.Choices.TKbat, 0);
    // The saved file of the reopened test is the same file.
    EXPECT_EQ(TestTextFileBytes(back), ReadBytes(path));
}

INSTANTIATE_TEST_SUITE_P(Locales, TextFileRoundTrip, testing::Values("cs_CZ", "en_US"));

// Under another language the file carries that language's captions; on a comma locale its
// texts must still come back with their dots, and its date must still read.
TEST(SaveTestTextFile, CaptionsFollowTheLanguageAndTextsKeepTheirDots)
{
    LocaleScope cs("cs_CZ");
    struct English {
        English() { TTranslationRegistry::Instance().ApplyTexts({{"Fmain", {{43, "Locality"}, {44, "Job"}, {48, "Measured by"}, {61, "Date"}}}}); }
        ~English() { TTranslationRegistry::Instance().ApplyDesignTexts(); }
    } english;
    QTemporaryDir dir;
    TProgramState s;
    ShowBuiltTest(s, {1, 2}, 5);
    s.Texts.Hlokalita = QStringLiteral("Hala 2.3");
    s.Texts.Hzakazka = QStringLiteral("Z.1");
    s.Texts.Hmeril = QStringLiteral("J. Novák");
    const QString path = dir.filePath(QStringLiteral("en.txt"));
    SaveTestTextFile(s, path);
    const QList<QByteArray> lines = LinesOf(ReadBytes(path));
    EXPECT_EQ(Line(lines, 1), QStringLiteral("Locality\tHala 2.3"));
    EXPECT_EQ(Line(lines, 2), QStringLiteral("Job\tZ.1"));
    EXPECT_EQ(Line(lines, 3), QStringLiteral("Date\t3.3.2008"));
    EXPECT_TRUE(lines.contains(EncodeAnsi(QStringLiteral("Measured by\tJ. Novák"))));

    TProgramState back;
    LoadTestTextFile(back, path);
    EXPECT_EQ(back.Texts.Hlokalita, QStringLiteral("Hala 2.3"));
    EXPECT_EQ(back.Texts.Hzakazka, QStringLiteral("Z.1"));
    EXPECT_EQ(back.Texts.Hmeril, QStringLiteral("J. Novák"));
    EXPECT_EQ(+back.Record().RunInfo.StartTime, +s.Record().RunInfo.StartTime);
}

TEST(SaveTestTextFile, AFailedSaveKeepsTheOldFile)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    TProgramState s;
    ShowBuiltTest(s, {1}, 5);
    const QString path = WriteBytes(dir, QStringLiteral("old.txt"), "the old test");
    ReadOnlyFolder locked(dir.path());
    if (!locked.Effective())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    try {
        SaveTestTextFile(s, path);
        FAIL() << "the save reported success";
    } catch (const VybitorError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("old.txt"))) << e.what();
    }
    EXPECT_EQ(ReadBytes(path), QByteArray("the old test"));
}

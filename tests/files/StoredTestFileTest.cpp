// Stored test files on disk: the tester's byte layout read by "Otevři".
#include "files/FileTestSupport.h"
#include "files/StoredTestFile.h"

#include "app/UserReport.h"
#include "files/TestTextFile.h"
#include "model/DataVersion.h"
#include "model/Errors.h"
#include "support/LocaleScope.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

QByteArray StoredWithStamps(const TTestRecord& record, std::vector<uint32_t> stamps)
{
    return EncodeStoredTest(record, stamps.data());
}

// Record bytes up to the last valid row, to see that nothing changed.
QByteArray Snapshot(const TTestRecord& r)
{
    return QByteArray(reinterpret_cast<const char*>(&r), qsizetype(offsetof(TTestRecord, Rows) + sizeof(TMeasurementRow) * size_t(r.RowCount)));
}

struct StoredFile : testing::Test {
    LocaleScope cs{"cs_CZ"};
    RecordingUserReport report;
    ScopedUserReport scoped{&report};
    QTemporaryDir dir;
    TProgramState state;
};

} // namespace

TEST_F(StoredFile, CounterRestartsContinueTheTime)
{
    auto source = MakeRecord({2, 5}, 8);
    const QString path = WriteBytes(dir, QStringLiteral("t.T01"),
                                    StoredWithStamps(*source, {0, 10000, 20000, 3000, 13000, 23000, 1000, 11000}) + "12345");
    LoadStoredTestFile(state, path);
    const TTestRecord& r = state.Record();
    ASSERT_EQ(r.RowCount, 8) << "the 5 bytes after the last whole row are ignored";
    const int expected[8] = {0, 10, 20, 21, 30, 40, 41, 50};
    for (int i = 0; i < 8; ++i)
        // Unary + reads packed fields by value; a reference to one would be misaligned.
        EXPECT_EQ(+r.Rows[i].ElapsedSeconds, expected[i]) << "row " << i;
    EXPECT_EQ(r.BatteryNumbers[1], 5);
    EXPECT_FLOAT_EQ(r.Rows[3].Voltages[1], 12.37f);
    EXPECT_EQ(state.Texts.Hdelka_testu, QStringLiteral("  0,8min  ")) << "the test was shown";
    EXPECT_TRUE(report.messages.isEmpty());
}

TEST_F(StoredFile, MoreThan10000RowsLoadTheFirstWithTheMessage)
{
    auto source = MakeRecord({1}, MaxRows);
    QByteArray bytes = StoredBytes(*source);
    bytes += bytes.right(2000 * StoredRowSize(1)); // 12000 rows
    LoadStoredTestFile(state, WriteBytes(dir, QStringLiteral("big.T02"), bytes));
    EXPECT_EQ(state.Record().RowCount, MaxRows);
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Příliš mnoho měření(12000), načtu pouze 10000 řádků měření")});
}

TEST_F(StoredFile, ImpossibleBatteriesAndEmptyFilesChangeNothing)
{
    ShowBuiltTest(state, {1, 2, 3}, 30);
    state.Texts.Hpoznamka = QStringLiteral("kept");
    const QByteArray before = Snapshot(state.Record());
    const QString caption = state.Texts.Caption;

    auto source = MakeRecord({1, 2}, 4);
    QByteArray tooMany = StoredBytes(*source);
    tooMany[5] = char(109); // run block: battery count
    QByteArray badNumber = StoredBytes(*source);
    badNumber[StoredBatteryNumbersOffset + 1] = char(108); // 0-based: battery 109
    const std::pair<QByteArray, QString> cases[] = {
        {tooMany, QStringLiteral("The test announces 109 batteries; at most 108 are possible.")},
        {badNumber, QStringLiteral("Battery 2 of the test has the number 109; numbers go from 1 to 108.")},
        {StoredBytes(*source).left(50), QStringLiteral("The test is shorter than its header (50 bytes).")}};
    for (const auto& [bytes, why] : cases) {
        report.messages.clear();
        const QString path = WriteBytes(dir, QStringLiteral("bad.T03"), bytes);
        LoadStoredTestFile(state, path);
        // why the file cannot be read, and the file on a line of its own
        EXPECT_EQ(report.messages, QStringList{QStringLiteral("Error: ") + why + QLatin1Char('\n') + path});
        EXPECT_EQ(Snapshot(state.Record()), before);
    }
    report.messages.clear();
    LoadStoredTestFile(state, WriteBytes(dir, QStringLiteral("empty.T04"), QByteArray()));
    EXPECT_TRUE(report.messages.isEmpty());
    EXPECT_EQ(Snapshot(state.Record()), before);
    EXPECT_EQ(state.Texts.Hpoznamka, QStringLiteral("kept"));
    EXPECT_EQ(state.Texts.Caption, caption);
    EXPECT_THROW(LoadStoredTestFile(state, dir.filePath(QStringLiteral("missing.T05"))), VybitorError);
}

// Data version 1.01 concerns what the tester wrote: its stored test files keep the power at
// header offset 25. A text file holds the power as the program showed it, under either
// version, and a save keeps it.
TEST_F(StoredFile, DataVersion101ReadsThePowerOfTesterFilesOnly)
{
    QByteArray tester = ReadBytes(QStringLiteral(VYBITOR_SOURCE_DIR "/samples/tests/A0003.tst"));
    LoadStoredTestFile(state, WriteBytes(dir, QStringLiteral("A0003.tst"), tester));
    ASSERT_EQ(state.Texts.Hvproud, QStringLiteral("1500,0W   "));
    const QString text = dir.filePath(QStringLiteral("A0003.txt"));
    SaveTestTextFile(state, text);
    LoadTestTextFile(state, text);
    const QByteArray resaved = TestTextFileBytes(state);

    state.Settings.DataVersion = DataVersion101;
    LoadTestTextFile(state, text);
    ASSERT_TRUE(report.messages.isEmpty()) << report.messages.join('\n').toStdString();
    EXPECT_EQ(state.Texts.Hvproud, QStringLiteral("1500,0W   "));
    EXPECT_FLOAT_EQ(+state.Record().Header.DischargeValue, 1500.0f);
    EXPECT_EQ(TestTextFileBytes(state), resaved) << "the data version changed what a save writes";

    const float power = 250.5f;
    std::memcpy(tester.data() + StoredHeaderOffset + 25, &power, sizeof power);
    LoadStoredTestFile(state, WriteBytes(dir, QStringLiteral("old.tst"), tester));
    EXPECT_EQ(state.Texts.Hvproud, QStringLiteral(" 250,5W   "));
}

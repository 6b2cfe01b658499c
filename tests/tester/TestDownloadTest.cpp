#include "app/UserReport.h"
#include "model/StoredTestCodec.h"
#include "support/RecordBuilder.h"
#include "tester/TestDownload.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {
struct Download : ::testing::Test {
    RecordingUserReport report;
    ScopedUserReport scope{&report};
    std::unique_ptr<TTestRecord> loaded = MakeRecord({7}, 2);
};

void setStamp(QByteArray& bytes, int batteries, int row, uint32_t stamp)
{
    std::memcpy(bytes.data() + 98 + batteries + row * StoredRowSize(batteries) + 16, &stamp, 4);
}
} // namespace

TEST_F(Download, WholeRowsLoadAndARemainderIsRefusedLeavingTheTestAsItWas)
{
    auto source = MakeRecord({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 3);
    QByteArray bytes = StoredBytes(*source);
    ASSERT_EQ(bytes.size(), 242);
    ASSERT_TRUE(LoadDownloadedTest(bytes, *loaded));
    EXPECT_EQ(loaded->RowCount, 3);
    EXPECT_EQ(loaded->RunInfo.BatteryCount, 12);
    EXPECT_TRUE(report.messages.isEmpty());

    auto before = MakeRecord({7}, 2);
    bytes.append('\0');
    EXPECT_FALSE(LoadDownloadedTest(bytes, *before));
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Error")});
    EXPECT_EQ(before->RowCount, 2);
    EXPECT_EQ(before->RunInfo.BatteryCount, 1);
    EXPECT_EQ(before->BatteryNumbers[0], 7);
}

TEST_F(Download, StampsWrapAtTheCounterLimitAndVoltagesAreCentivolts)
{
    auto source = MakeRecord({1, 108}, 3);
    QByteArray bytes = StoredBytes(*source);
    setStamp(bytes, 2, 0, 0xFFFFFFFFu - 295u);
    setStamp(bytes, 2, 1, 704);
    setStamp(bytes, 2, 2, 1704);
    const uint16_t centivolts = 1234;
    std::memcpy(bytes.data() + 98 + 2 + 20, &centivolts, 2);
    ASSERT_TRUE(LoadDownloadedTest(bytes, *loaded));
    // Unary + reads packed fields by value; a reference to one would be misaligned.
    EXPECT_EQ(+loaded->Rows[0].ElapsedSeconds, 0);
    EXPECT_EQ(+loaded->Rows[1].ElapsedSeconds, 1);
    EXPECT_EQ(+loaded->Rows[2].ElapsedSeconds, 2);
    EXPECT_EQ(loaded->BatteryNumbers[0], 1);   // tester byte 0
    EXPECT_EQ(loaded->BatteryNumbers[1], 108); // tester byte 107
    EXPECT_FLOAT_EQ(loaded->Rows[0].Voltages[0], 12.34f);
}

TEST_F(Download, ImpossibleBatteriesAreRefused)
{
    auto source = MakeRecord({1, 2}, 1);
    QByteArray bytes = StoredBytes(*source);
    bytes[98 + 1] = char(108); // battery number 109
    EXPECT_FALSE(LoadDownloadedTest(bytes, *loaded));
    bytes[98 + 1] = char(1);
    bytes[5] = char(109); // 109 batteries announced
    EXPECT_FALSE(LoadDownloadedTest(bytes, *loaded));
    EXPECT_FALSE(LoadDownloadedTest(QByteArray(50, '\0'), *loaded));
    EXPECT_EQ(report.messages.size(), 3);
    EXPECT_EQ(loaded->RowCount, 2);
}

TEST_F(Download, MoreThanTenThousandRowsAreCutWithTheMessage)
{
    auto source = MakeRecord({1}, 1);
    QByteArray bytes = StoredBytes(*source);
    const QByteArray row = bytes.right(StoredRowSize(1));
    for (int r = 1; r < 12000; ++r)
        bytes += row;
    ASSERT_TRUE(LoadDownloadedTest(bytes, *loaded));
    EXPECT_EQ(loaded->RowCount, 10000);
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Příliš mnoho měření(12000), načtu pouze 10000 řádků měření")});
}

TEST_F(Download, AppendMergesBatteryColumnsAndContinuesTheTime)
{
    auto first = MakeRecord({1, 3}, 2);
    first->Rows[1].ElapsedSeconds = 3600;
    auto second = MakeRecord({3, 5}, 2);
    ASSERT_TRUE(AppendDownloadedTest(StoredBytes(*second), *first));
    ASSERT_EQ(first->RunInfo.BatteryCount, 3);
    EXPECT_EQ(first->BatteryNumbers[0], 1);
    EXPECT_EQ(first->BatteryNumbers[1], 3);
    EXPECT_EQ(first->BatteryNumbers[2], 5);
    ASSERT_EQ(first->RowCount, 4);
    EXPECT_FLOAT_EQ(first->Rows[0].Voltages[0], 12.5f);  // old battery 1 kept
    EXPECT_FLOAT_EQ(first->Rows[0].Voltages[1], 12.4f);  // old battery 3 kept
    EXPECT_FLOAT_EQ(first->Rows[0].Voltages[2], 0.0f);   // battery 5 did not exist
    EXPECT_FLOAT_EQ(first->Rows[2].Voltages[0], 0.0f);   // battery 1 absent in the new test
    EXPECT_FLOAT_EQ(first->Rows[2].Voltages[1], 12.5f);  // new battery 3
    EXPECT_FLOAT_EQ(first->Rows[2].Voltages[2], 12.4f);  // new battery 5
    EXPECT_EQ(+first->Rows[2].ElapsedSeconds, 3600);
    EXPECT_EQ(+first->Rows[3].ElapsedSeconds, 3610);
}

TEST_F(Download, AppendBeyondTenThousandRowsKeepsWhatFits)
{
    auto first = MakeRecord({1}, 8000);
    auto second = MakeRecord({1}, 3000);
    ASSERT_TRUE(AppendDownloadedTest(StoredBytes(*second), *first));
    EXPECT_EQ(first->RowCount, 10000);
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Příliš mnoho měření(11000), načtu pouze 2000 řádků měření")});

    auto untouched = MakeRecord({1}, 5);
    QByteArray bad = StoredBytes(*second);
    bad.chop(1);
    EXPECT_FALSE(AppendDownloadedTest(bad, *untouched));
    EXPECT_EQ(untouched->RowCount, 5);
}

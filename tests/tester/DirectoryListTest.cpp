#include "app/ProgramState.h"
#include "model/CodePage.h"
#include "support/LocaleScope.h"
#include "tester/TestDirectory.h"
#include "tester/ui/Hlavicky.h"

#include <QTableView>
#include <gtest/gtest.h>
#include <cstring>

namespace {
TDirectoryEntry entry(const char* file, uint8_t mark, uint32_t lengthMs, uint8_t endReason)
{
    TDirectoryEntry e{};
    e.DownloadMark = mark;
    std::strncpy(e.FileName, file, sizeof e.FileName);
    e.RunInfo.BatteryCount = 12;
    e.RunInfo.EndReason = endReason;
    e.RunInfo.StartTime = 86400;
    e.Header.Period = 60;
    e.Header.DischargeValue = 25.25f;
    e.Header.EndVoltage = 10.8f;
    SetFieldText(e.Header.Locality, QStringLiteral("Plzeň, rozvodna"));
    SetFieldText(e.Header.MeasuredBy, QStringLiteral("Novák"));
    e.LengthMs = lengthMs;
    e.EntryIndex = 7;
    return e;
}
} // namespace

TEST(DirectoryRow, ColumnsFollowTheEntry)
{
    LocaleScope cs("cs_CZ");
    const QStringList row = DirectoryRowTexts(entry("A0042.tst", 0, 90000, 9), false);
    ASSERT_EQ(row.size(), DirColumnCount);
    EXPECT_EQ(row[DirTest], QStringLiteral("0042"));
    EXPECT_EQ(row[DirLocality], QStringLiteral("Plzeň, rozvodna"));
    EXPECT_EQ(row[DirCharacteristic], QStringLiteral("Proud"));
    EXPECT_EQ(row[DirDischarge], QStringLiteral("25,2"));
    EXPECT_EQ(row[DirEndReason], QStringLiteral("Neznámý"));
    EXPECT_EQ(row[DirLength], QStringLiteral("1,5"));
    EXPECT_EQ(row[DirDownloaded], QStringLiteral("1"));
    EXPECT_EQ(row[DirFileName], QStringLiteral("A0042.tst"));
    EXPECT_EQ(row[DirEntryIndex], QStringLiteral("7"));
    EXPECT_EQ(DirectoryRowTexts(entry("A0043.tst", 1, 0, 2), false)[DirDownloaded], QStringLiteral("0"));
}

TEST(DirectoryRow, PowerOfOldDataVersionSitsAtOffset25)
{
    LocaleScope en("en_US");
    TDirectoryEntry e = entry("A0001.tst", 1, 0, 1);
    e.Header.PowerMode = 1;
    const float power = 1500.0f;
    std::memcpy(reinterpret_cast<char*>(&e.Header) + 25, &power, 4);
    EXPECT_EQ(DirectoryRowTexts(e, true)[DirDischarge], QStringLiteral("1500.0"));
    EXPECT_EQ(DirectoryRowTexts(e, true)[DirCharacteristic], QStringLiteral("Výkon"));
    EXPECT_NE(DirectoryRowTexts(e, false)[DirDischarge], QStringLiteral("1500.0"));
}

TEST(DirectoryWindow, ListingEnablesCommandsAndMarksDownloadedTestsRed)
{
    TTestDirectory& directory = TTestDirectory::Instance();
    directory.Reset();
    TFhlavicky window(TProgramState::Instance());
    EXPECT_FALSE(window.LoadItem()->isEnabled());
    directory.AddEntry(entry("A0042.tst", 0, 90000, 2), false);
    directory.AddEntry(entry("A0043.tst", 1, 600000, 1), false);
    directory.FinishListing();
    EXPECT_TRUE(window.LoadItem()->isEnabled());
    EXPECT_TRUE(window.DeleteItem()->isEnabled());
    EXPECT_FALSE(window.AppendItem()->isEnabled());
    auto* model = window.Grid()->model();
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->data(model->index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_NE(model->data(model->index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_TRUE(window.Grid()->isColumnHidden(DirDownloaded));
    EXPECT_EQ(directory.SelectedRows, QList<int>{1});
    directory.SetDownloaded(2);
    EXPECT_EQ(model->data(model->index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    if (qEnvironmentVariableIsSet("VYBITOR_SCREENSHOTS")) {
        window.show();
        window.grab().save(qEnvironmentVariable("VYBITOR_SCREENSHOTS") + QStringLiteral("/hlavicky.png"));
    }
    directory.Reset();
}

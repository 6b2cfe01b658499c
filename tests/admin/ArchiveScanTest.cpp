#include "admin/ArchiveScan.h"
#include "app/ProgramState.h"
#include "model/CodePage.h"
#include "support/LocaleScope.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Qualifier = QStringLiteral("Číslo měření");

// A test text file with its header lines and the first battery-table row.
void WriteTest(const QString& path, const QString& number, const QString& date,
               const QStringList& cells, const QString& first = QStringLiteral("Číslo měření"))
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QStringList lines{first + "\t" + number + "\tB1", "Lokalita\tBrno", "x", "Datum\t" + date, "x",
                      "Vybíjecí proud\t  10.5", "x", "x", "x", "Hlavička\t" + cells.join('\t')};
    f.write(EncodeAnsi(lines.join("\r\n") + "\r\n")); // as the program writes them
}

} // namespace

TEST(ArchiveScan, FoldersSubfoldersAndQualification)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a"), b = dir.filePath("b");
    WriteTest(a + "/t1.txt", "1", "2.1.2008", {"7"});
    WriteTest(a + "/sub/t2.txt", "2", "2.1.2008", {"7"});
    WriteTest(b + "/sub/deep/t3.TXT", "3", "10.1.2008", {"7"});
    WriteTest(b + "/verze.txt", "4", "1.1.2008", {"7"}, "Verze");
    WriteTest(b + "/other.txt", "5", "1.1.2008", {"7"}, "Jiný");
    QDir().mkpath(b + "/folder.TXT");
    ASSERT_TRUE(QFile::link(b, b + "/sub/loop")); // must not hang

    TArchiveList list;
    list.ScanFolders({{a, "N"}, {b, ""}, {QString(), "Y"}}, QString(), false, Qualifier);
    ASSERT_EQ(list.Grid.RowCount(), 3);
    QStringList numbers{list.Grid.Cell(2, 1), list.Grid.Cell(2, 2)};
    numbers.sort();
    EXPECT_EQ(numbers, (QStringList{"1", "3"}));
    for (int row : {1, 2}) {
        EXPECT_EQ(list.Grid.Cell(4, row), QStringLiteral("Brno"));
        EXPECT_TRUE(QFile::exists(list.RowPath(row)));
    }

    list.SortByColumn(5, true);
    EXPECT_EQ(list.Grid.Cell(5, 1), QStringLiteral("10.1.2008"));
    list.SortByColumn(5, false);
    EXPECT_EQ(list.Grid.Cell(5, 1), QStringLiteral("2.1.2008"));
}

TEST(ArchiveScan, BatteryColumnsFilterAndRescan)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    QStringList cells;
    for (int i = 1; i <= 14; ++i)
        cells << QStringLiteral("c%1").arg(i);
    WriteTest(dir.filePath("wide.txt"), "1", "1.1.2008", cells);
    WriteTest(dir.filePath("narrow.txt"), "2", "1.1.2008", {"c1", "c2"});

    TArchiveList list;
    list.ScanFolders({}, dir.path(), false, Qualifier);
    ASSERT_EQ(list.Grid.ColCount(), 21);
    EXPECT_EQ(list.Grid.Cell(20, 0), QStringLiteral("Bat.14"));
    EXPECT_EQ(list.Grid.Cell(6, 1), QStringLiteral("  10,5"));

    list.FilterByBattery("c13");
    EXPECT_TRUE(list.Hidden[1] && list.Hidden[2]);
    list.ShowAll();
    list.FilterByBattery("c2");
    EXPECT_FALSE(list.Hidden[1] || list.Hidden[2]);
    list.FilterByBattery("c12"); // already hidden rows stay hidden
    EXPECT_EQ(int(list.Hidden[1]) + int(list.Hidden[2]), 1);

    QFile::remove(dir.filePath("narrow.txt"));
    list.ScanFolders({}, dir.path(), false, Qualifier);
    ASSERT_EQ(list.Grid.RowCount(), 2);
    EXPECT_FALSE(list.Hidden[1]);
    EXPECT_EQ(list.Grid.ColCount(), 21);
}

// A file saved under English captions, scanned on a comma locale: locality and date are
// texts and show as written.
TEST(ArchiveScan, TextsOfAFileUnderOtherCaptionsKeepTheirDots)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    QFile f(dir.filePath("en.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Measurement no.\t1\tB1\r\nLocality\tHala 2.3\r\nJob\tZ.1\r\nDate\t3.3.2008\r\nx\r\nDischarge current\t  10.5\r\n");
    f.close();
    TArchiveList list;
    list.ScanFolders({{dir.path(), "N"}}, QString(), false, QStringLiteral("Measurement no."));
    ASSERT_EQ(list.Grid.RowCount(), 2);
    EXPECT_EQ(list.Grid.Cell(4, 1), QStringLiteral("Hala 2.3"));
    EXPECT_EQ(list.Grid.Cell(5, 1), QStringLiteral("3.3.2008"));
    EXPECT_EQ(list.Grid.Cell(6, 1), QStringLiteral("  10,5")) << "numbers still take the locale's separator";
}

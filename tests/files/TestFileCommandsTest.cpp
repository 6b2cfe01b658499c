// "Ulož" and "Otevři" after their dialogs: names, folders and which writer or reader runs.
#include "files/FileTestSupport.h"
#include "files/TestFileCommands.h"
#include "files/TestTextFile.h"

#include "support/LocaleScope.h"
#include "tester/TestDirectory.h"

#include <gtest/gtest.h>

TEST(ProposedTestFileName, NumberOrLocalityWithoutPathCharacters)
{
    TProgramState s;
    s.Texts.Hcislo_mereni = QStringLiteral("17");
    s.Texts.Hlokalita = QStringLiteral("Hala 2/3");
    EXPECT_EQ(ProposedTestFileName(s), QStringLiteral("Test17"));
    s.Settings.TestName = 1;
    EXPECT_EQ(ProposedTestFileName(s), QStringLiteral("Hala 2_3"));
    EXPECT_EQ(SafeFileName(QStringLiteral("a\\b:c*d?e\"f<g>h|i\tj")), QStringLiteral("a_b_c_d_e_f_g_h_i_j"));
    EXPECT_EQ(SafeFileName(QStringLiteral("..")), QStringLiteral("__"));
    EXPECT_EQ(SafeFileName(QStringLiteral("Žďár n. S.")), QStringLiteral("Žďár n. S."));
}

TEST(TestFileCommands, SaveChoosesTheWriterByExtensionAndOpenTheReader)
{
    LocaleScope cs("cs_CZ");
    QTemporaryDir dir;
    TProgramState s;
    ShowBuiltTest(s, {1, 2}, 4);
    SaveTestAs(s, dir.filePath(QStringLiteral("a.Xls")));
    SaveTestAs(s, dir.filePath(QStringLiteral("b.xlsx")));
    SaveTestAs(s, dir.filePath(QStringLiteral("c.dat")));
    EXPECT_TRUE(ReadBytes(dir.filePath(QStringLiteral("a.Xls"))).startsWith("PK"));
    EXPECT_TRUE(ReadBytes(dir.filePath(QStringLiteral("b.xlsx"))).startsWith("PK"));
    EXPECT_EQ(ReadBytes(dir.filePath(QStringLiteral("c.dat"))), TestTextFileBytes(s));

    RememberFolder(s, dir.filePath(QStringLiteral("c.dat")));
    EXPECT_EQ(s.LastDirectory, dir.path() + QLatin1Char('/'));

    TTestDirectory directory;
    directory.AddEntry(TDirectoryEntry{}, false);
    directory.EntryCount = 1;
    TProgramState opened;
    const QString stored = WriteBytes(dir, QStringLiteral("t.T01"), StoredBytes(s.Record()));
    opened.Texts.Hpoznamka = QStringLiteral("kept");
    OpenTestFile(opened, directory, stored);
    EXPECT_EQ(opened.Record().RowCount, 4);
    EXPECT_EQ(opened.Texts.Hpoznamka, QStringLiteral("kept"));
    EXPECT_EQ(opened.Texts.Caption, QStringLiteral("Vybitor5 - 1.00"));
    EXPECT_EQ(directory.EntryCount, 1);
    EXPECT_FALSE(opened.DirectoryListed);

    QFile::copy(dir.filePath(QStringLiteral("c.dat")), dir.filePath(QStringLiteral("c.Txt")));
    OpenTestFile(opened, directory, dir.filePath(QStringLiteral("c.Txt")));
    EXPECT_EQ(opened.Texts.Caption, QStringLiteral("Vybitor5 - ") + dir.filePath(QStringLiteral("c.Txt")));
    EXPECT_EQ(directory.EntryCount, 0);
    EXPECT_EQ(directory.Grid.RowCount(), 2);
    EXPECT_TRUE(opened.DirectoryListed);
}

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "config/ConfigFile.h"
#include "files/RecentFiles.h"
#include "model/CodePage.h"
#include "support/LocaleScope.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ConfigFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TIniFile ini{dir.filePath(QStringLiteral("Vybitor5.ini"))};
    TProgramState state;
};

TEST_F(ConfigFileTest, FirstStartGivesDefaults)
{
    SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5")));
    const TMainWindowValues v = RestoreMainWindow(ini, state);
    EXPECT_FALSE(v.PanelFloating);
    EXPECT_EQ(v.PanelX, 100);
    EXPECT_EQ(v.Ikony, 4);
    EXPECT_FALSE(v.SettingsVisible);
    EXPECT_EQ(state.Choices.TKkapacita, 0);
    EXPECT_EQ(state.Choices.TKtyp, 0);
    // No table in the INI: the three built-in ones are offered, the first chosen, and
    // nothing is written (the INI does not even come into being).
    EXPECT_EQ(state.Choices.TKbat, 0);
    EXPECT_EQ(state.Choices.TKbatItems, QStringList({"Olovo 5-10 h", "Olovo 1-3 h", "NiCd"}));
    ASSERT_EQ(state.TempCompTables.size(), 3u);
    EXPECT_EQ(state.TempCompTables[2].Coef[4], -0.0001);
    EXPECT_EQ(state.LastDirectory, ExeFolder());
    EXPECT_TRUE(state.PlacementRestored);
    EXPECT_FALSE(QFile::exists(ini.FileName()));

    TSettingsValues s;
    ReadSettingsValues(ini, s);
    EXPECT_EQ(s.TesterAddress, "127.0.0.1");
    EXPECT_EQ(s.Link, 0);
    EXPECT_TRUE(s.ArchiveFolders.empty());
}

TEST_F(ConfigFileTest, CompensationTablesNamesSelectionAndLimit)
{
    ini.WriteInteger("TEMP_KOMP", "Num_TK", 3);
    ini.WriteString("TEMP_KOMP", "NameTK0", "Olovo");
    ini.WriteString("TEMP_KOMP", "NameTK2", "NiCd");
    ini.WriteString("TEMP_KOMP", "Koef0_6", "1,5");
    ini.WriteString("TEMP_KOMP", "Koef1_0", "2.5");
    ini.WriteInteger("TEMP_KOMP", "TKbat", 7);
    ini.WriteInteger("TEMP_KOMP", "TKtyp", 2);
    {
        LocaleScope cs("cs_CZ");
        RestoreMainWindow(ini, state);
    }
    EXPECT_EQ(state.Choices.TKbatItems, QStringList({"Olovo", "NameTK1", "NiCd"}));
    EXPECT_EQ(state.Choices.TKbat, 0);
    EXPECT_EQ(state.Choices.TKtyp, 2);
    ASSERT_EQ(state.TempCompTables.size(), 3u);
    EXPECT_DOUBLE_EQ(state.TempCompTables[0].Coef[6], 1.5);
    EXPECT_DOUBLE_EQ(state.TempCompTables[1].Coef[0], 0); // a dot on a comma locale

    // a second restore replaces the tables instead of doubling them, and a valid
    // selection is kept
    ini.WriteInteger("TEMP_KOMP", "TKbat", 2);
    RestoreMainWindow(ini, state);
    EXPECT_EQ(state.TempCompTables.size(), 3u);
    EXPECT_EQ(state.Choices.TKbat, 2);

    TProgramState many;
    ini.WriteInteger("TEMP_KOMP", "Num_TK", 25);
    RestoreMainWindow(ini, many);
    EXPECT_EQ(many.TempCompTables.size(), size_t(MaxTempCompTables));
    EXPECT_EQ(many.Choices.TKbatItems.size(), MaxTempCompTables);
}

TEST_F(ConfigFileTest, MainWindowSaveRestoresRoundTrip)
{
    state.Choices.TKkapacita = 1;
    state.Choices.TKtyp = 1;
    state.Choices.TKbat = 0;
    state.LastDirectory = QStringLiteral("/data/Měření/");
    SaveMainWindow(ini, state, {true, 320, -40, 2, false});

    TProgramState next;
    ini.WriteInteger("TEMP_KOMP", "Num_TK", 1);
    const TMainWindowValues v = RestoreMainWindow(ini, next);
    EXPECT_TRUE(v.PanelFloating);
    EXPECT_EQ(v.PanelX, 320);
    EXPECT_EQ(v.PanelY, -40);
    EXPECT_EQ(v.Ikony, 2);
    EXPECT_EQ(next.Choices.TKkapacita, 1);
    EXPECT_EQ(next.Choices.TKtyp, 1);
    EXPECT_EQ(next.Choices.TKbat, 0);
    EXPECT_EQ(next.LastDirectory, "/data/Měření/");
}

TEST_F(ConfigFileTest, SettingsSaveNumbersFoldersWithoutGapsAndLeavesStaleKeys)
{
    TSettingsValues s;
    s.ArchiveFolders = {{"/a", "Y"}, {"/b", "N"}, {"/c", "Y"}};
    SaveSettingsValues(ini, s);
    s.ArchiveFolders = {{"/x", "N"}, {"", "Y"}, {"/y", ""}};
    s.TesterAddress = "10.1.2.3";
    s.Link = 1;
    s.Language = 2;
    s.DruhaKap = true;
    SaveSettingsValues(ini, s);

    EXPECT_EQ(ini.ReadInteger("NASTAVENI", "Archiv_count", 0), 2);
    EXPECT_EQ(ini.ReadString("NASTAVENI", "Arch_path2", ""), "/y");
    EXPECT_EQ(ini.ReadString("NASTAVENI", "Arch_sub2", "<none>"), ""); // never set: stored empty, searched with subfolders
    EXPECT_EQ(ini.ReadString("NASTAVENI", "Arch_path3", ""), "/c");
    EXPECT_EQ(ini.ReadSection("TFnastaveni"),
              QStringList({"LMDEdit1_Text", "LMDRkomunikace_ItemIndex", "Provozovatel_Checked",
                           "LMDRJmeno_testu_ItemIndex", "LMDRvd", "Aut_bat", "Aut_nap", "Druha_kap"}));

    TSettingsValues read;
    ReadSettingsValues(ini, read);
    ASSERT_EQ(read.ArchiveFolders.size(), 2u);
    EXPECT_EQ(read.ArchiveFolders[0].Path, "/x");
    EXPECT_EQ(read.ArchiveFolders[0].Subfolders, "N");
    EXPECT_EQ(read.TesterAddress, "10.1.2.3");
    EXPECT_EQ(read.Link, 1);
    EXPECT_EQ(read.Language, 2);
    EXPECT_TRUE(read.DruhaKap);

    // Nothing chosen, or below it, is kept as nothing chosen (the link then uses Ethernet).
    for (int stored : {-1, -6}) {
        ini.WriteInteger("TFnastaveni", "LMDRkomunikace_ItemIndex", stored);
        ReadSettingsValues(ini, read);
        EXPECT_EQ(read.Link, -1);
        SaveSettingsValues(ini, read);
        EXPECT_EQ(ini.ReadString("TFnastaveni", "LMDRkomunikace_ItemIndex", ""), "-1");
    }

    // past the last item: the last item ("USB - RS232"); below -1: nothing chosen
    ini.WriteInteger("TFnastaveni", "LMDRkomunikace_ItemIndex", 5);
    ini.WriteInteger("TFnastaveni", "LMDRvd", 7);
    ini.WriteInteger("TFnastaveni", "LMDRJmeno_testu_ItemIndex", -4);
    ReadSettingsValues(ini, read);
    EXPECT_EQ(read.Link, 1);
    EXPECT_EQ(read.DataVersion, 1);
    EXPECT_EQ(read.TestName, -1);
}

TEST_F(ConfigFileTest, ChoiceIndexOutsideItsListGivesFirstItem)
{
    ini.WriteInteger("NASTAVENI", "TKkapacita", 2);
    ini.WriteInteger("TEMP_KOMP", "TKtyp", -3);
    RestoreMainWindow(ini, state);
    EXPECT_EQ(state.Choices.TKkapacita, 0);
    EXPECT_EQ(state.Choices.TKtyp, 0);
}

TEST_F(ConfigFileTest, RowCaptionsShrinkDeletesSurplusKeys)
{
    state.BatteryGrid.SetRowCount(6);
    for (int i = 1; i <= 5; ++i) state.BatteryGrid.SetCell(0, i, QStringLiteral("Řada %1").arg(i));
    SaveRowCaptions(ini, state.BatteryGrid);
    state.BatteryGrid.SetRowCount(4);
    state.BatteryGrid.SetCell(0, 2, QString());
    SaveRowCaptions(ini, state.BatteryGrid);

    EXPECT_EQ(ini.ReadInteger("NASTAVENI", "GRBAT_COUNT", 0), 3);
    EXPECT_FALSE(ini.ValueExists("NASTAVENI", "GRBAT4"));
    EXPECT_FALSE(ini.ValueExists("NASTAVENI", "GRBAT5"));
    EXPECT_TRUE(ini.ValueExists("NASTAVENI", "GRBAT2"));

    TProgramState next;
    RestoreMainWindow(ini, next);
    EXPECT_EQ(next.BatteryGrid.RowCount(), 4);
    EXPECT_EQ(next.BatteryGrid.Cell(0, 3), "Řada 3");
    EXPECT_EQ(next.BatteryGrid.Cell(0, 2), "");
}

} // namespace

TEST_F(ConfigFileTest, DamagedCountsReadAtMost255EntriesAndDoNotOverflow)
{
    SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5")));
    ini.WriteInteger("NASTAVENI", "GRBAT_COUNT", 2147483647);
    ini.WriteInteger("NASTAVENI", "Archiv_count", 2000000000);
    ini.WriteString("NASTAVENI", "GRBAT1", "U [V]");
    RestoreMainWindow(ini, state);
    EXPECT_EQ(state.BatteryGrid.RowCount(), 256);
    EXPECT_EQ(state.BatteryGrid.Cell(0, 1), QStringLiteral("U [V]"));
    TSettingsValues s;
    ReadSettingsValues(ini, s);
    EXPECT_EQ(s.ArchiveFolders.size(), 255u);
    // Saving the captions deletes what the damaged count can name, then writes the real count.
    state.BatteryGrid.SetRowCount(3);
    SaveRowCaptions(ini, state.BatteryGrid);
    EXPECT_EQ(ini.ReadInteger("NASTAVENI", "GRBAT_COUNT", 0), 2);
}

// Names that Windows-1250 cannot hold (Cyrillic beside Czech and German) come back from
// the INI exactly, the INI itself in a folder so named beside the program; an INI written
// so far (Windows-1250) reads as before and stays Windows-1250 while everything fits.
TEST(ConfigFileNames, ValuesOutsideWindows1250ReadBackExactlyAndOldFilesAsBefore)
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("Program Größe Київ Měření"));
    ASSERT_TRUE(QDir().mkpath(home));
    SetExecutablePath(QDir(home).filePath(QStringLiteral("Vybitor5")));
    const QString path = ExeSiblingPath(QStringLiteral(".ini"));
    const auto bytes = [&path] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(EncodeAnsi(QStringLiteral("[NASTAVENI]\r\nArchiv_count=1\r\nArch_path1=/data/Měření Žďár\r\nArch_sub1=Y\r\n"
                                            "[RecentFiles]\r\nFile1=/data/Zkouška Übung.txt\r\n")));
    }
    TIniFile ini(path);
    TSettingsValues old;
    ReadSettingsValues(ini, old);
    ASSERT_EQ(old.ArchiveFolders.size(), 1u);
    EXPECT_EQ(old.ArchiveFolders[0].Path, QStringLiteral("/data/Měření Žďár"));
    EXPECT_EQ(ReadRecentFiles(ini), QStringList{QStringLiteral("/data/Zkouška Übung.txt")});
    SaveSettingsValues(ini, old);
    EXPECT_FALSE(bytes().startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes().contains(EncodeAnsi(QStringLiteral("Arch_path1=/data/Měření Žďár\r\n"))));

    TSettingsValues s = old;
    s.ArchiveFolders = {{QStringLiteral("/data/Měření à Київ"), QStringLiteral("N")}, {QStringLiteral("/data/Straße Львів"), QStringLiteral("Y")}};
    SaveSettingsValues(ini, s);
    RememberRecentFile(ini, QStringLiteral("/data/Київ Größe/B0134 Zkouška.txt"));
    TProgramState state;
    state.LastDirectory = QStringLiteral("/data/Харків Měření/");
    SaveMainWindow(ini, state, {});
    EXPECT_TRUE(bytes().startsWith("\xEF\xBB\xBF"));

    TSettingsValues read;
    ReadSettingsValues(TIniFile(path), read);
    ASSERT_EQ(read.ArchiveFolders.size(), 2u);
    EXPECT_EQ(read.ArchiveFolders[0].Path, QStringLiteral("/data/Měření à Київ"));
    EXPECT_EQ(read.ArchiveFolders[1].Path, QStringLiteral("/data/Straße Львів"));
    EXPECT_EQ(ReadRecentFiles(TIniFile(path)),
              QStringList({QStringLiteral("/data/Київ Größe/B0134 Zkouška.txt"), QStringLiteral("/data/Zkouška Übung.txt")}));
    TProgramState next;
    RestoreMainWindow(TIniFile(path), next);
    EXPECT_EQ(next.LastDirectory, QStringLiteral("/data/Харків Měření/"));
    SetExecutablePath(QString());
}

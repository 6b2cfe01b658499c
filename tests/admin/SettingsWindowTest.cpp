// The settings window on the offscreen platform over a real ConfigFile in a temporary
// folder: first start, the archive folder grid, the hidden choices, the save on close.
#include "admin/ui/ChoiceGroup.h"
#include "admin/ui/Lokality.h"
#include "admin/ui/Nastaveni.h"
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "config/ConfigFile.h"
#include "config/ui/PlacementStore.h"
#include "i18n/LanguageList.h"
#include "support/ContextMenu.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5"))); }
    void TearDown() override
    {
        DestroyWindows();
        SetExecutablePath(QString());
    }
    // The windows as the program creates them, the settings read as the main window does.
    TFnastaveni& Start()
    {
        ReadSettingsValues(ProgramConfigFile(), state.Settings);
        CreateWindows(state);
        return *Windows().Fnastaveni;
    }
    TFnastaveni& Show()
    {
        TFnastaveni& w = Start();
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        return w;
    }
    QString Key(const QString& section, const QString& key) const
    {
        return ProgramConfigFile().ReadString(section, key, QStringLiteral("<none>"));
    }
    static QString PathCell(TFnastaveni& w, int row)
    {
        return w.AdvColumnGrid1->cellWidget(row, 0)->findChild<QLabel*>(QStringLiteral("Path"))->text();
    }
    static void ClickBrowse(TFnastaveni& w, int row)
    {
        QTest::mouseClick(w.AdvColumnGrid1->cellWidget(row, 0)->findChild<QToolButton*>(QStringLiteral("Browse")),
                          Qt::LeftButton);
    }

    QTemporaryDir dir;
    RecordingUserReport report;
    ScopedUserReport useReport{&report};
    TProgramState state;
};

} // namespace

TEST_F(SettingsWindowTest, FirstStartShowsDesignSizeNoOperatorAndOneEmptyFolderRow)
{
    TFnastaveni& w = Show();
    Windows().Fmain->show(); // its show handler applies the operator option
    EXPECT_EQ(w.size(), QSize(594, 361));
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(198, 234, 240));
    EXPECT_FALSE(w.Provozovatel->isChecked());
    EXPECT_FALSE(Windows().Fmain->Hprovoz->isVisibleTo(Windows().Fmain));
    ASSERT_EQ(w.AdvColumnGrid1->rowCount(), 1);
    EXPECT_EQ(PathCell(w, 0), QString());
    EXPECT_EQ(w.AdvColumnGrid1->horizontalHeaderItem(1)->text(), QStringLiteral("Podadresáře"));
    QHeaderView* titles = w.AdvColumnGrid1->horizontalHeader();
    EXPECT_GE(w.AdvColumnGrid1->columnWidth(1), titles->sectionSizeHint(1)) << "the title is cut";
    EXPECT_LE(w.AdvColumnGrid1->x() + titles->length(), w.width());
    EXPECT_FALSE(w.LMDRkomunikace->isVisibleTo(&w));
    EXPECT_FALSE(w.LMDRvd->isVisibleTo(&w));

    // "Lokality" opens the presets window modally.
    bool modal = false;
    QTimer::singleShot(0, [&modal] {
        TFlokality* presets = Windows().Flokality;
        modal = presets->isVisible() && presets->isModal();
        presets->reject();
    });
    w.LMDButton1->click();
    EXPECT_TRUE(modal);

    // "Provozovatel" acts on the main window at once.
    w.Provozovatel->click();
    EXPECT_TRUE(state.Settings.Provozovatel);
    EXPECT_TRUE(Windows().Fmain->Hprovoz->isVisibleTo(Windows().Fmain));
    EXPECT_TRUE(Windows().Fmain->Lprovoz->isVisibleTo(Windows().Fmain));
}

TEST_F(SettingsWindowTest, BrowseAddsRowsOnlyAtTheBottomAndUnsetSubfoldersStoreEmpty)
{
    TFnastaveni& w = Show();
    QStringList answers{dir.filePath("a"), dir.filePath("b"), QString(), dir.filePath("c")};
    QStringList asked;
    w.ChooseFolder = [&](const QString& current) {
        asked << current;
        return answers.takeFirst();
    };
    ClickBrowse(w, 0);
    ASSERT_EQ(w.AdvColumnGrid1->rowCount(), 2);
    EXPECT_EQ(PathCell(w, 0), dir.filePath("a"));
    ClickBrowse(w, 0); // an earlier row: replaced, no row added
    EXPECT_EQ(w.AdvColumnGrid1->rowCount(), 2);
    EXPECT_EQ(asked.last(), dir.filePath("a")); // the dialog starts at the cell's path
    ClickBrowse(w, 1); // cancelled
    EXPECT_EQ(w.AdvColumnGrid1->rowCount(), 2);
    ClickBrowse(w, 1);
    ASSERT_EQ(w.AdvColumnGrid1->rowCount(), 3);
    EXPECT_EQ(PathCell(w, 0), dir.filePath("b"));

    // Unticking the second folder's box stores "N"; the first was never clicked.
    QTableWidgetItem* sub = w.AdvColumnGrid1->item(1, 1);
    EXPECT_EQ(sub->checkState(), Qt::Checked); // only "N" means without subfolders
    sub->setCheckState(Qt::Unchecked);
    w.close();
    EXPECT_EQ(Key(SectionNastaveni, "Archiv_count"), QStringLiteral("2"));
    EXPECT_EQ(Key(SectionNastaveni, "Arch_path1"), dir.filePath("b"));
    EXPECT_EQ(Key(SectionNastaveni, "Arch_sub1"), QString());
    EXPECT_EQ(Key(SectionNastaveni, "Arch_path2"), dir.filePath("c"));
    EXPECT_EQ(Key(SectionNastaveni, "Arch_sub2"), QStringLiteral("N"));
}

// A wrong or vanished archive folder is removed in the grid itself: by its row's context
// menu or the Delete key; the rows below move up and only the remaining paths are stored.
TEST_F(SettingsWindowTest, FolderRowsAreRemovedByTheContextMenuAndTheDeleteKey)
{
    TFnastaveni& w = Show();
    QStringList answers{dir.filePath("Měření à Київ"), dir.filePath("b"), dir.filePath("c")};
    w.ChooseFolder = [&](const QString&) { return answers.takeFirst(); };
    for (int row = 0; row < 3; ++row)
        ClickBrowse(w, row);
    ASSERT_EQ(w.AdvColumnGrid1->rowCount(), 4);
    w.AdvColumnGrid1->item(2, 1)->setCheckState(Qt::Unchecked); // "c" without subfolders
    QTableWidget* grid = w.AdvColumnGrid1;
    // A point of a row's "Podadresáře" cell away from its box.
    const auto inRow = [&](int row) {
        const QRect cell = grid->visualItemRect(grid->item(row, 1));
        return QPoint(cell.right() - 3, cell.center().y());
    };

    // The right click on row 2 offers the removal; chosen, "b" goes.
    EXPECT_EQ(RightClickAndChoose(*grid->viewport(), inRow(1), QStringLiteral("Odstraň adresář")),
              QStringList{QStringLiteral("Odstraň adresář")});
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(PathCell(w, 0), dir.filePath("Měření à Київ"));
    EXPECT_EQ(PathCell(w, 1), dir.filePath("c"));
    EXPECT_EQ(grid->item(1, 1)->checkState(), Qt::Unchecked); // its own box moved with it

    // The first row, clicked and deleted by the key.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, inRow(0));
    QTest::keyClick(grid, Qt::Key_Delete);
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(PathCell(w, 0), dir.filePath("c"));
    QTest::keyClick(grid, Qt::Key_Delete);
    QTest::keyClick(grid, Qt::Key_Delete); // the empty bottom row stays
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(PathCell(w, 0), QString());
    w.ChooseFolder = [&](const QString&) { return dir.filePath("d"); };
    ClickBrowse(w, 0);

    w.close();
    EXPECT_EQ(Key(SectionNastaveni, "Archiv_count"), QStringLiteral("1"));
    EXPECT_EQ(Key(SectionNastaveni, "Arch_path1"), dir.filePath("d"));
    EXPECT_EQ(Key(SectionNastaveni, "Arch_path2"), QStringLiteral("<none>"));
}

TEST_F(SettingsWindowTest, StoredChoicesAreClampedAndKeptUnchangedBySave)
{
    TIniFile ini = ProgramConfigFile();
    ini.WriteInteger(SectionTFnastaveni, "LMDRkomunikace_ItemIndex", 5);
    ini.WriteInteger(SectionTFnastaveni, "LMDRJmeno_testu_ItemIndex", -7);
    ini.WriteInteger(SectionTFnastaveni, "LMDRvd", 1);
    ini.WriteString(SectionTFnastaveni, "LMDEdit1_Text", "127.0.0.9");
    ini.WriteInteger(SectionNastaveni, "Jazyk", -1);
    TFnastaveni& w = Show();
    EXPECT_EQ(w.LMDRkomunikace->ItemIndex(), 1); // "USB - RS232"
    EXPECT_FALSE(w.LMDEdit1->isEnabled());       // no address for the serial link
    EXPECT_EQ(w.LMDEdit1->text(), QStringLiteral("127.0.0.9"));
    EXPECT_EQ(w.LMDRJmeno_testu->ItemIndex(), -1);
    EXPECT_EQ(w.LMDRvd->ItemIndex(), 1);

    // Closed through the main toolbar's toggle: stored just as by the close box.
    TFmain& main = *Windows().Fmain;
    main.TBXnastaveni->setChecked(true);
    main.TBXnastaveni->setChecked(false);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(Key(SectionTFnastaveni, "LMDRkomunikace_ItemIndex"), QStringLiteral("1"));
    EXPECT_EQ(Key(SectionTFnastaveni, "LMDRJmeno_testu_ItemIndex"), QStringLiteral("-1"));
    EXPECT_EQ(Key(SectionTFnastaveni, "Visible"), QStringLiteral("0"));
    EXPECT_EQ(Key(SectionNastaveni, "Jazyk"), QStringLiteral("-1"));
    EXPECT_EQ(Key(SectionNastaveni, "Archiv_count"), QStringLiteral("0"));
}

TEST_F(SettingsWindowTest, ProgramEndStoresOnlyAShownWindow)
{
    TFnastaveni& w = Start();
    state.Settings.AutBat = true;
    TPlacementStore::StoreAllAtProgramEnd();
    EXPECT_EQ(Key(SectionTFnastaveni, "Aut_bat"), QStringLiteral("<none>"));

    w.show();
    w.acb->setChecked(false);
    w.anz->click();
    w.LMDEdit1->clear();
    QTest::keyClicks(w.LMDEdit1, "127.0.0.5");
    TPlacementStore::StoreAllAtProgramEnd();
    EXPECT_EQ(Key(SectionTFnastaveni, "Aut_bat"), QStringLiteral("0"));
    EXPECT_EQ(Key(SectionTFnastaveni, "Aut_nap"), QStringLiteral("1"));
    EXPECT_EQ(Key(SectionTFnastaveni, "LMDEdit1_Text"), QStringLiteral("127.0.0.5"));
    EXPECT_EQ(Key(SectionTFnastaveni, "Visible"), QStringLiteral("1"));
}

TEST_F(SettingsWindowTest, RowCaptionsStoredAtOnceAndAFailedWriteIsReported)
{
    TFnastaveni& w = Show();
    state.BatteryGrid.SetSize(4, 2);
    state.BatteryGrid.SetCell(0, 1, QStringLiteral("Čísla baterií"));
    state.BatteryGrid.SetCell(0, 3, QStringLiteral("Konec"));
    w.LMDBuloz_hl_bat->click();
    EXPECT_EQ(Key(SectionNastaveni, "GRBAT_COUNT"), QStringLiteral("3"));
    EXPECT_EQ(Key(SectionNastaveni, "GRBAT1"), QStringLiteral("Čísla baterií"));
    EXPECT_EQ(Key(SectionNastaveni, "GRBAT2"), QString());
    EXPECT_EQ(Key(SectionNastaveni, "GRBAT3"), QStringLiteral("Konec"));
    report.messages.clear();

    // A ConfigFile that cannot be written (a folder in its place, refused even to root).
    const QString ini = ProgramConfigFile().FileName();
    ASSERT_TRUE(QFile::remove(ini) && QDir().mkdir(ini));
    w.LMDBuloz_hl_bat->click();
    w.close(); // the close goes ahead although its store fails
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(report.messages.size(), 2);
    EXPECT_TRUE(report.messages[0].startsWith(QStringLiteral("Unable to write to")));
    EXPECT_TRUE(report.messages[1].contains(ini));
}

TEST_F(SettingsWindowTest, EnglishLanguageFileTranslatesTheWindow)
{
    TFnastaveni& w = Start();
    TLanguageList& languages = TLanguageList::Instance();
    languages.Reset();
    ASSERT_EQ(languages.ScanLanguageFiles(QStringLiteral(VYBITOR_SOURCE_DIR "/samples"), QStringLiteral("*.lng")), 1);
    languages.SwitchLanguage(1033);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(w.LIPadresa->text(), QStringLiteral("IP address"));
    EXPECT_EQ(w.AdvColumnGrid1->horizontalHeaderItem(1)->text(), QStringLiteral("Subfolders"));
    EXPECT_EQ(w.RemoveFolderItem->text(), QStringLiteral("Remove folder"));
    languages.SwitchLanguage(1029);
    EXPECT_EQ(w.Label1->text(), QStringLiteral("Adrersáře pro archiv"));
    languages.Reset();
}

// Program runs over a real ConfigFile: what a run stores at its end and the next run
// restores, the stored language at start, and what a run leaves alone.
#include "admin/ui/Nastaveni.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "evaluation/ui/Data.h"
#include "presentation/ui/Graf.h"
#include "support/ContextMenu.h"
#include "support/ProgramRun.h"
#include "tester/TestDirectory.h"
#include "tester/ui/Hlavicky.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <qcustomplot.h>

namespace {

TEST(StartAndEnd, FirstRunWritesTheMainWindowAndLeavesTheUnopenedWindowsAlone)
{
    ProgramRun run;
    {
        TIniFile ini = run.Ini();
        ini.WriteString("TFnastaveni", "LMDEdit1_Text", "127.0.0.9");
        ini.WriteInteger("NASTAVENI", "Jazyk", 3);
        ini.WriteInteger("NASTAVENI", "Archiv_count", 1);
        ini.WriteString("NASTAVENI", "Arch_path1", "/data/testy");
    }
    TFmain& main = run.Start();
    EXPECT_EQ(main.StatusPanel[3]->text(), QStringLiteral("  IP : 127.0.0.9"));
    const QPoint at = main.geometry().topLeft();
    run.End();

    const TIniFile ini = run.Ini();
    EXPECT_EQ(ini.ReadSection("TFnastaveni"), QStringList{"LMDEdit1_Text"});
    EXPECT_EQ(ini.ReadSection("NASTAVENI"),
              QStringList({"Jazyk", "Archiv_count", "Arch_path1", "TKkapacita", "Directory"}));
    EXPECT_EQ(ini.ReadInteger("NASTAVENI", "Jazyk", 0), 3);
    for (const char* never : {"TFdata", "TFgraf", "TFhlavicky", "TFarchiv", "TFlokality"})
        EXPECT_FALSE(ini.SectionExists(never)) << never;
    EXPECT_EQ(ini.ReadInteger("TFmain", "Visible", -1), 0);
    EXPECT_EQ(ini.ReadInteger("TFmain", "Ikony", 0), 4);
    EXPECT_EQ(ini.ReadString("TFmain", "NormPos", ""), QStringLiteral("%1,%2,%3,%4")
                                                            .arg(at.x()).arg(at.y()).arg(at.x() + 970).arg(at.y() + 544));
    EXPECT_EQ(ini.ReadString("TFmain", "TBXToolbar2_Visible", ""), "True");
    EXPECT_EQ(ini.ReadString("TFmain", "TBXDockablePanel1_DockedHeight", ""), "130");
    EXPECT_EQ(ini.ReadString("NASTAVENI", "Directory", ""), run.dir.path() + QLatin1Char('/'));
    EXPECT_TRUE(run.report.messages.isEmpty()) << run.report.messages.join('|').toStdString();
}

TEST(StartAndEnd, WhatTheUserSetComesBackAtTheNextStart)
{
    ProgramRun run;
    {
        TFmain& main = run.Start();
        main.TBXItem[2]->trigger();
        main.TKkapacita->setCurrentIndex(1);
        main.TBXToolbar2->hide();
        main.TBXDockablePanel1->setFloating(true);
        main.TBXDockablePanel1->setGeometry(300, 320, 500, 150);
        const QPoint panelAt = main.TBXDockablePanel1->pos(); // the frame's corner
        main.TBXnastaveni->trigger();
        main.TBXdata->trigger();
        Windows().Fdata->setGeometry(60, 70, 500, 400);
        main.setGeometry(20, 30, 900, 500);
        run.State().LastDirectory = QStringLiteral("/srv/testy/");
        run.End();
        const TIniFile ini = run.Ini();
        EXPECT_EQ(ini.ReadInteger("TFnastaveni", "Visible", -1), 1);
        EXPECT_EQ(ini.ReadInteger("TFdata", "Visible", -1), 1);
        EXPECT_EQ(ini.ReadInteger("TFmain", "TBXDockablePanel1_fpx", 0), panelAt.x());
        EXPECT_EQ(ini.ReadInteger("TFmain", "TBXDockablePanel1_fpy", 0), panelAt.y());
    }

    TFmain& main = run.Start();
    EXPECT_EQ(main.geometry(), QRect(20, 30, 900, 500));
    EXPECT_EQ(main.ToolbarDisplayMode(), 3);
    EXPECT_EQ(main.TKkapacita->currentText(), QStringLiteral("Ah"));
    EXPECT_TRUE(main.TBXToolbar2->isHidden());
    EXPECT_TRUE(main.TBXDockablePanel1->isFloating());
    EXPECT_EQ(main.TBXDockablePanel1->geometry(), QRect(300, 320, 500, 150));
    EXPECT_EQ(run.State().LastDirectory, QStringLiteral("/srv/testy/"));
    // The settings window was open at the end and opens again; the data window waits for
    // its toggle and then comes back where it was.
    EXPECT_TRUE(Windows().Fnastaveni->isVisible());
    EXPECT_TRUE(main.TBXnastaveni->isChecked());
    EXPECT_FALSE(Windows().Fdata->isVisible());
    main.TBXdata->trigger();
    EXPECT_EQ(Windows().Fdata->geometry(), QRect(60, 70, 500, 400));

    // Closed with its close box, the settings window stays closed at the next start.
    Windows().Fnastaveni->close();
    EXPECT_FALSE(main.TBXnastaveni->isChecked());
    EXPECT_EQ(run.Ini().ReadInteger("TFnastaveni", "Visible", -1), 0);
    run.End();
    run.Start();
    EXPECT_FALSE(Windows().Fnastaveni->isVisible());
}

// The toolbars cannot be lost: a start whose ConfigFile hides both shows the main toolbar,
// and the battery panel's title bar offers the program's own popup, the toolbars under their
// captions after its five items (not the toolkit's list of object names); with both
// toolbars and the panel gone, the window's panel offers the same popup.
TEST(StartAndEnd, ToolbarsComeBackAtStartAndThroughThePopup)
{
    ProgramRun run;
    {
        TIniFile ini = run.Ini();
        ini.WriteString("TFmain", "TBXToolbar2_Visible", "False");
        ini.WriteString("TFmain", "TBXToolbar3_Visible", "False");
    }
    TFmain& main = run.Start();
    EXPECT_FALSE(main.TBXToolbar3->isHidden());
    EXPECT_TRUE(main.TBXToolbar2->isHidden());

    QDockWidget* panel = main.TBXDockablePanel1;
    const QPoint title(panel->width() / 2, 6);
    EXPECT_EQ(RightClickAndChoose(*panel, title, QStringLiteral("Lišta vyhodnocení")), QStringList({"Ikony", "Text", "Text + ikony vedle sebe", "Text + ikony nad sebou", "Baterie",
                                    "Hlavní lišta", "Lišta vyhodnocení"}));
    EXPECT_FALSE(main.TBXToolbar2->isHidden());

    // Both toolbars hidden and the battery panel closed through the popup: a right click on
    // the window's own panel offers the popup still, and the main toolbar comes back.
    for (const char* item : {"Hlavní lišta", "Lišta vyhodnocení", "Baterie"})
        RightClickAndChoose(*panel, title, QString::fromUtf8(item));
    ASSERT_TRUE(main.TBXToolbar3->isHidden() && main.TBXToolbar2->isHidden() && panel->isHidden());
    QWidget* header = main.centralWidget();
    EXPECT_EQ(RightClickAndChoose(*header, QPoint(header->width() / 2, 4), QStringLiteral("Hlavní lišta")).size(), 7);
    EXPECT_FALSE(main.TBXToolbar3->isHidden());
    RightClickAndChoose(*header, QPoint(header->width() / 2, 4), QStringLiteral("Lišta vyhodnocení"));
    RightClickAndChoose(*header, QPoint(header->width() / 2, 4), QStringLiteral("Baterie"));
    EXPECT_FALSE(panel->isHidden());
    run.End();
    EXPECT_EQ(run.Ini().ReadString("TFmain", "TBXToolbar2_Visible", ""), "True");
    EXPECT_EQ(run.Ini().ReadString("TFmain", "TBXToolbar3_Visible", ""), "True");
}

// On a first start "Graf" opens the graph window at a size for its curves.
TEST(StartAndEnd, GraphWindowOpensAtAUsableSizeOnAFirstStart)
{
    ProgramRun run;
    TFmain& main = run.Start();
    QTest::mouseClick(main.TBXToolbar3->widgetForAction(main.TBXgraf), Qt::LeftButton);
    TFgraf* graph = Windows().Fgraf;
    ASSERT_TRUE(graph->isVisible());
    EXPECT_GE(graph->width(), 800);
    EXPECT_GE(graph->Chart()->height(), 300);
    run.End();
}

TEST(StartAndEnd, SettingsWindowStoresTheSettingsValuesWhenItCloses)
{
    ProgramRun run;
    run.Ini().WriteInteger("NASTAVENI", "Archiv_count", 3);
    run.Ini().WriteString("NASTAVENI", "Arch_path3", "/old");
    TFmain& main = run.Start();
    TSettingsValues& settings = run.State().Settings;
    settings.TesterAddress = QStringLiteral("127.0.0.5");
    settings.ArchiveFolders = {{"/a", "Y"}, {"", "N"}, {"/b", "N"}};
    main.TBXnastaveni->trigger();
    main.TBXnastaveni->trigger(); // the toggle closes, so the values are stored
    const TIniFile ini = run.Ini();
    EXPECT_EQ(ini.ReadString("TFnastaveni", "LMDEdit1_Text", ""), "127.0.0.5");
    EXPECT_EQ(ini.ReadInteger("NASTAVENI", "Archiv_count", 0), 2);
    EXPECT_EQ(ini.ReadString("NASTAVENI", "Arch_path2", ""), "/b");
    EXPECT_EQ(ini.ReadString("NASTAVENI", "Arch_path3", ""), "/old");
    EXPECT_EQ(ini.ReadInteger("TFnastaveni", "Visible", -1), 0);
}

TEST(StartAndEnd, StoredLanguageIsAppliedAtStart)
{
    ProgramRun run;
    run.CopySampleLanguage();
    run.Ini().WriteInteger("NASTAVENI", "Jazyk", 1);
    TFmain& main = run.Start();
    EXPECT_EQ(main.TBXotevri->text(), QStringLiteral("Open"));
    EXPECT_EQ(main.TBXotevri->toolTip(), QStringLiteral("Open file"));
    EXPECT_EQ(main.TKtyp->itemText(0), QStringLiteral("None"));
    EXPECT_EQ(main.TBXDockablePanel1->windowTitle(), QStringLiteral("Batteries"));
    EXPECT_EQ(main.TBXVisibilityToggleItem1->text(), QStringLiteral("Batteries"));
    EXPECT_EQ(main.TBXToolbarItem[0]->text(), QStringLiteral("Main toolbar"));
    EXPECT_EQ(main.TBXToolbarItem[1]->text(), QStringLiteral("Evaluation toolbar"));
    EXPECT_EQ(main.Lprovoz->text(), QStringLiteral("For the operator"));
    TFdata& data = *Windows().Fdata;
    EXPECT_EQ(data.windowTitle(), QStringLiteral("Data"));
    EXPECT_EQ(data.Grid()->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Time[s]"));
    // The data window's print button (also in the grid's menu) follows the language.
    EXPECT_EQ(data.TBXtisk->text(), QStringLiteral("Print"));
    EXPECT_EQ(data.Grid()->actions().value(0), data.TBXtisk);
    TFhlavicky& list = *Windows().Fhlavicky;
    EXPECT_EQ(list.windowTitle(), QStringLiteral("Test headers"));
    EXPECT_EQ(list.ShowHiddenItem()->text(), QStringLiteral("Show hidden"));
    EXPECT_EQ(list.Grid()->model()->headerData(12, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Test length"));
    // A listing resets the grid's title row; the titles stay in the language in force.
    TTestDirectory::Instance().Reset();
    EXPECT_EQ(list.Grid()->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Test"));
    EXPECT_EQ(list.Grid()->model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Locality"));
}

TEST(StartAndEnd, LanguageThatCannotBeAppliedKeepsCzechAndTheSettingsStillLoad)
{
    ProgramRun run;
    run.CopySampleLanguage();
    run.Ini().WriteInteger("NASTAVENI", "Jazyk", 4); // the file of index 4 was removed
    run.Ini().WriteString("TFnastaveni", "LMDEdit1_Text", "127.0.0.7");
    TFmain& main = run.Start();
    EXPECT_EQ(main.TBXotevri->text(), QStringLiteral("Otevři"));
    EXPECT_EQ(main.StatusPanel[3]->text(), QStringLiteral("  IP : 127.0.0.7"));
    EXPECT_TRUE(run.report.messages.isEmpty());
    run.End();

    // A damaged file: its error is shown once, Czech stays, and the start goes on.
    run.WriteFile("English.lng", "LANGID=1033\n[$CONSTANTS]\n1bad=x\n");
    run.Ini().WriteInteger("NASTAVENI", "Jazyk", 1);
    TFmain& again = run.Start();
    ASSERT_EQ(run.report.messages.size(), 1);
    EXPECT_TRUE(run.report.messages[0].startsWith(QStringLiteral("Loading translations failed.\n")));
    EXPECT_EQ(again.TBXotevri->text(), QStringLiteral("Otevři"));
    EXPECT_EQ(again.StatusPanel[3]->text(), QStringLiteral("  IP : 127.0.0.7"));
}

TEST(StartAndEnd, ShowHiddenTestsIsKeptWithTheDirectoryWindow)
{
    ProgramRun run;
    TTestDirectory::Instance().ShowHidden = false;
    run.Ini().WriteString("TFhlavicky", "TBXItem2_Checked", "True");
    run.Start();
    TFhlavicky& list = *Windows().Fhlavicky;
    EXPECT_FALSE(list.ShowHiddenItem()->isChecked()); // restored when the window is shown
    list.show();
    EXPECT_TRUE(list.ShowHiddenItem()->isChecked());
    EXPECT_TRUE(TTestDirectory::Instance().ShowHidden);
    list.ShowHiddenItem()->trigger();
    list.close();
    EXPECT_EQ(run.Ini().ReadString("TFhlavicky", "TBXItem2_Checked", ""), "False");
    EXPECT_EQ(run.Ini().ReadInteger("TFhlavicky", "Visible", -1), 0);
}

TEST(StartAndEnd, NegativeFormVersionStillLoadsTheProgramsOwnKeys)
{
    ProgramRun run;
    TIniFile ini = run.Ini();
    ini.WriteInteger("TFmain", "FormVersion", -1);
    ini.WriteString("TFmain", "NormPos", "0,0,400,300");
    ini.WriteString("NASTAVENI", "Directory", "/srv/testy/");
    ini.WriteInteger("TEMP_KOMP", "Num_TK", 1);
    ini.WriteInteger("TEMP_KOMP", "TKtyp", 1);
    TFmain& main = run.Start();
    EXPECT_EQ(main.size(), QSize(970, 544));
    EXPECT_EQ(run.State().LastDirectory, QStringLiteral("/srv/testy/"));
    EXPECT_EQ(main.TKtyp->currentIndex(), 1);
    EXPECT_EQ(main.TKbat->currentText(), QStringLiteral("NameTK0"));
    EXPECT_TRUE(main.TKbat->isEnabled());
}

} // namespace

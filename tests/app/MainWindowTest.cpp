// The main window on the offscreen platform: its first start, the toolbar toggles, the
// battery panel with the window height, and the header fields' second line.
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/CreateWindows.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "config/IniFile.h"
#include "i18n/LanguageList.h"
#include "evaluation/ui/Data.h"
#include "admin/ui/Nastaveni.h"
#include "support/LocaleScope.h"
#include "tester/ui/Hlavicky.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetExecutablePath(dir.filePath(QStringLiteral("Vybitor5"))); }
    void TearDown() override
    {
        DestroyWindows();
        TLanguageList::Instance().Reset();
        SetExecutablePath(QString());
    }
    void WriteBatteryTypes(const QByteArray& bytes)
    {
        QFile file(dir.filePath(QStringLiteral("Vybitor5.btr")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    TFmain& Start()
    {
        CreateWindows(state);
        TFmain& main = *Windows().Fmain;
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
        return main;
    }
    QToolButton* Button(TFmain& main, QAction* action)
    {
        return qobject_cast<QToolButton*>(main.TBXToolbar3->widgetForAction(action));
    }

    LocaleScope cs{"cs_CZ"};
    QTemporaryDir dir;
    RecordingUserReport report;
    ScopedUserReport useReport{&report};
    TProgramState state;
};

TEST_F(MainWindowTest, FirstStartWithoutConfigShowsTheDesign)
{
    WriteBatteryTypes("");
    TFmain& main = Start();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Vybitor5 - 1.00"));
    EXPECT_EQ(main.size(), QSize(970, 544));
    EXPECT_EQ(main.ToolbarDisplayMode(), 4);
    EXPECT_EQ(Button(main, main.TBXgraf)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_FALSE(main.TBXDockablePanel1->isFloating());
    EXPECT_TRUE(main.TBXDockablePanel1->isVisible());
    EXPECT_TRUE(main.TBXVisibilityToggleItem1->isChecked());
    EXPECT_EQ(main.TBXDockablePanel1->height(), TFmain::PanelDockedHeight);
    EXPECT_EQ(main.TKkapacita->currentText(), QStringLiteral("%"));
    EXPECT_EQ(main.TKtyp->currentText(), QStringLiteral("Žádná"));
    EXPECT_FALSE(main.TKbat->isEnabled());
    EXPECT_FALSE(Windows().Fnastaveni->isVisible());
    EXPECT_FALSE(main.TBXnastaveni->isChecked());
    EXPECT_EQ(main.StatusPanel[0]->text(), QStringLiteral(" "));
    EXPECT_EQ(main.StatusPanel[3]->text(), QStringLiteral("  IP : 127.0.0.1"));
    const int widths[4] = {100, 150, 150, 200};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(main.StatusPanel[i]->width(), widths[i]);
    EXPECT_FALSE(main.Hprovoz->isVisible());
    EXPECT_FALSE(main.Lprovoz->isVisible());
    EXPECT_TRUE(report.messages.isEmpty());
}

TEST_F(MainWindowTest, MissingOrBadBatteryTypeFileIsToldAndStartGoesOn)
{
    TFmain& first = Start();
    const QString path = dir.filePath(QStringLiteral("Vybitor5.btr"));
    EXPECT_EQ(report.messages, QStringList{"File not found\n" + path});
    EXPECT_EQ(first.Gtypbat->count(), 0);
    DestroyWindows();

    report.messages.clear();
    WriteBatteryTypes("A\t600\t1\t2\nB\t600\tx1\t2\n");
    TFmain& second = Start();
    EXPECT_EQ(report.messages, QStringList{"'x1' is not a valid floating point value\n" + path});
    EXPECT_EQ(second.Gtypbat->count(), 0);
    EXPECT_TRUE(second.isVisible());
}

TEST_F(MainWindowTest, DuplicateBatteryTypeIsOfferedOnce)
{
    WriteBatteryTypes("VRLA 12V\t600\t1\t2\nGel\t300\t1\t2\nVRLA 12V\t480\t1\t2\n");
    TFmain& main = Start();
    ASSERT_EQ(main.Gtypbat->count(), 2);
    EXPECT_EQ(main.Gtypbat->itemText(0), QStringLiteral("VRLA 12V"));
    EXPECT_EQ(main.Gtypbat->itemText(1), QStringLiteral("Gel"));
    EXPECT_EQ(state.BatteryTypes.size(), 3u);
}

TEST_F(MainWindowTest, PanelFloatingAtLastExitFloatsAgainAndWindowKeepsItsHeight)
{
    WriteBatteryTypes("");
    TIniFile ini(dir.filePath(QStringLiteral("Vybitor5.ini")));
    ini.WriteString("TFmain", "NormPos", "30,40,1000,640");
    ini.WriteInteger("TFmain", "TBXDockablePanel1_Floating", 1);
    ini.WriteInteger("TFmain", "TBXDockablePanel1_fpx", 220);
    ini.WriteInteger("TFmain", "TBXDockablePanel1_fpy", 180);
    ini.WriteInteger("TFmain", "Ikony", 2);
    TFmain& main = Start();
    EXPECT_TRUE(main.TBXDockablePanel1->isFloating());
    EXPECT_EQ(main.TBXDockablePanel1->pos(), QPoint(220, 180));
    EXPECT_EQ(main.height(), 600);
    EXPECT_EQ(Button(main, main.TBXgraf)->toolButtonStyle(), Qt::ToolButtonTextOnly);

    // From now on the window follows the panel: docked again it grows by the docked height.
    main.TBXDockablePanel1->setFloating(false);
    EXPECT_EQ(main.height(), 600 + TFmain::PanelDockedHeight);
    // Hiding a docked panel gives its height back; hiding a floating one changes nothing.
    main.TBXVisibilityToggleItem1->trigger();
    EXPECT_EQ(main.height(), 600);
    main.TBXVisibilityToggleItem1->trigger();
    EXPECT_EQ(main.height(), 600 + TFmain::PanelDockedHeight);
    main.TBXDockablePanel1->setFloating(true);
    main.TBXVisibilityToggleItem1->trigger();
    EXPECT_EQ(main.height(), 600);
}

TEST_F(MainWindowTest, HeightRuleFollowsThePanelAsTheUserDraggedIt)
{
    WriteBatteryTypes("");
    TFmain& main = Start();
    QDockWidget* panel = main.TBXDockablePanel1;
    main.resize(main.width(), 760); // room to give back: the window has a minimum height
    QTest::qWait(20);
    // The user drags the separator above the docked panel 70 pixels up.
    const int extent = main.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, &main);
    const QPoint grip(main.width() / 2, panel->geometry().top() - (extent + 1) / 2);
    QTest::mousePress(&main, Qt::LeftButton, {}, grip);
    for (int step : {35, 70}) {
        QTest::mouseMove(&main, grip - QPoint(0, step));
        QTest::qWait(20); // the window follows the separator on a timer
    }
    QTest::mouseRelease(&main, Qt::LeftButton, {}, grip - QPoint(0, 70));
    const int dragged = panel->height();
    ASSERT_GT(dragged, TFmain::PanelDockedHeight + 30); // a start threshold takes a few pixels
    const int before = main.height();
    panel->setFloating(true);
    EXPECT_EQ(main.height(), before - dragged);
    main.close(); // stored while floating: the height it had docked
    TIniFile ini(dir.filePath(QStringLiteral("Vybitor5.ini")));
    EXPECT_EQ(ini.ReadInteger("TFmain", "TBXDockablePanel1_DockedHeight", 0), dragged);
    EXPECT_EQ(ini.ReadInteger("TFmain", "TBXDockablePanel1_Floating", 0), 1);
}

TEST_F(MainWindowTest, EvaluationChoicesShowTheirItemsWhole)
{
    WriteBatteryTypes("");
    state.Choices.TKbatItems = {"Olověné akumulátory 2 V"};
    TFmain& main = Start();
    emit state.ChoicesChanged();
    for (QComboBox* choice : {main.TKkapacita, main.TKtyp, main.TKbat}) {
        QStyleOptionComboBox option;
        option.initFrom(choice);
        option.editable = false;
        const QRect field = choice->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, choice);
        for (int i = 0; i < choice->count(); ++i)
            EXPECT_GE(field.width(), choice->fontMetrics().horizontalAdvance(choice->itemText(i)))
                << choice->objectName().toStdString() << " " << choice->itemText(i).toStdString();
    }
    EXPECT_GE(main.TKkapacita->width(), 40);
    EXPECT_GE(main.TKtyp->width(), 80);
    EXPECT_GE(main.TKbat->width(), 120);
}

TEST_F(MainWindowTest, TogglesShowAndHideTheirWindowsAndClosingUnchecks)
{
    WriteBatteryTypes("");
    TFmain& main = Start();
    TFdata& data = *Windows().Fdata;
    main.TBXdata->trigger();
    EXPECT_TRUE(data.isVisible());
    main.TBXdata->trigger();
    EXPECT_FALSE(data.isVisible());
    main.TBXdata->trigger();
    data.close();
    EXPECT_FALSE(main.TBXdata->isChecked());

    // The settings toggle closes its window, so a close handler sees it.
    TFnastaveni& settings = *Windows().Fnastaveni;
    bool closed = false;
    struct CloseSpy : QObject {
        bool* closed;
        bool eventFilter(QObject*, QEvent* e) override
        {
            *closed |= e->type() == QEvent::Close;
            return false;
        }
    } spy;
    spy.closed = &closed;
    settings.installEventFilter(&spy);
    main.TBXnastaveni->trigger();
    EXPECT_TRUE(settings.isVisible());
    main.TBXnastaveni->trigger();
    EXPECT_FALSE(settings.isVisible());
    EXPECT_TRUE(closed);
}

TEST_F(MainWindowTest, DisplayModeReachesTheTestListToolbar)
{
    WriteBatteryTypes("");
    TFmain& main = Start();
    auto* listBar = new QToolBar(Windows().Fhlavicky);
    QAction* item = listBar->addAction(QStringLiteral("Ukaž skryté"));
    main.TBXItem[0]->trigger();
    EXPECT_EQ(main.ToolbarDisplayMode(), 1);
    EXPECT_FALSE(main.TBXItem[3]->isChecked());
    EXPECT_EQ(Button(main, main.TBXotevri)->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(qobject_cast<QToolButton*>(listBar->widgetForAction(item))->toolButtonStyle(),
              Qt::ToolButtonIconOnly);
}

TEST_F(MainWindowTest, CompensationTableChoiceFollowsTheCompensationType)
{
    WriteBatteryTypes("");
    state.Choices.TKbatItems = {"NameTK0", "Olovo"};
    TFmain& main = Start();
    emit state.ChoicesChanged();
    main.TKtyp->setCurrentIndex(1);
    EXPECT_TRUE(main.TKbat->isEnabled());
    EXPECT_EQ(state.Choices.TKtyp, 1);
    main.TKtyp->setCurrentIndex(0);
    EXPECT_FALSE(main.TKbat->isEnabled());
}

TEST_F(MainWindowTest, HeaderTextsBindBothWays)
{
    WriteBatteryTypes("");
    TFmain& main = Start();
    QTest::keyClicks(main.Hzakazka, QStringLiteral("Z-7"));
    EXPECT_EQ(state.Texts.Hzakazka, QStringLiteral("Z-7"));
    state.Texts.Hkapacita = QStringLiteral("98,5");
    state.Texts.Hmeril = QStringLiteral("Novák");
    emit state.TextsChanged();
    EXPECT_EQ(main.Hkapacita->text(), QStringLiteral("98,5"));
    EXPECT_EQ(main.Hmeril->text(), QStringLiteral("Novák"));
}

TEST_F(MainWindowTest, CommaStartsASecondLineInLocalityAndMeasuredBy)
{
    WriteBatteryTypes("");
    TFmain& main = Start();
    QTest::keyClicks(main.Hlokalita, QStringLiteral("Praha,") + QString(40, QLatin1Char('x')));
    EXPECT_EQ(main.Hlokalita->text().size(), 36);
    EXPECT_EQ(main.Hlokalita->maxLength(), 36);
    EXPECT_EQ(main.Hlokalita->toolTip(), QStringLiteral("Praha\n\r") + QString(30, QLatin1Char('x')));

    QTest::keyClicks(main.Hmeril, QString(25, QLatin1Char('m')));
    EXPECT_EQ(main.Hmeril->text().size(), 20);
    EXPECT_EQ(main.Hmeril->toolTip(), QString(20, QLatin1Char('m')));

    // A shown test's longer text is kept whole.
    state.Texts.Hlokalita = QString(45, QLatin1Char('L'));
    emit state.TextsChanged();
    EXPECT_EQ(main.Hlokalita->text().size(), 45);
}

TEST_F(MainWindowTest, OperatorFieldsFollowTheSettingsOption)
{
    WriteBatteryTypes("");
    TIniFile(dir.filePath(QStringLiteral("Vybitor5.ini"))).WriteBool("TFnastaveni", "Provozovatel_Checked", true);
    TFmain& main = Start();
    EXPECT_TRUE(main.Lprovoz->isVisible());
    EXPECT_TRUE(main.Hprovoz->isVisible());
}

} // namespace

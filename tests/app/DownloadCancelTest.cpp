// A user during a slow download: clicks elsewhere, presses "Storno" once, then downloads
// another test. The program's real windows and progress dialog against tester-sim, each
// reply 10 ms late.
#include "app/ui/DialogUserReport.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "evaluation/ui/Data.h"
#include "support/ProgramRun.h"
#include "support/TesterSimProcess.h"
#include "tester/DirectoryFlows.h"
#include "tester/TestDirectory.h"
#include "tester/TesterLink.h"
#include "tester/ui/Hlavicky.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {
// The real progress dialog and input blocking; messages and questions are recorded and
// answered, since a modal box would stop the test.
class DialogsButNoBoxes : public TDialogUserReport {
public:
    QStringList messages;
    void Message(const QString& text) override { messages << text; }
    bool Question(const QString&) override { return true; }
};

bool sameTest(const TTestRecord& a, const TTestRecord& b)
{
    return a.RowCount == b.RowCount && std::memcmp(&a.RunInfo, &b.RunInfo, sizeof a.RunInfo) == 0 &&
           std::memcmp(&a.Header, &b.Header, sizeof a.Header) == 0 &&
           std::memcmp(a.BatteryNumbers, b.BatteryNumbers, sizeof a.BatteryNumbers) == 0 &&
           std::memcmp(a.Rows, b.Rows, sizeof(TMeasurementRow) * size_t(a.RowCount)) == 0;
}

struct SlowDownload : ::testing::Test {
    ProgramRun run;
    DialogsButNoBoxes dialogs;
    ScopedUserReport useDialogs{&dialogs};
    TTestDirectory& directory = TTestDirectory::Instance();

    void SetUp() override { directory.ShowHidden = false; }
    void TearDown() override
    {
        TTesterLink::Instance().Disconnect();
        directory.Reset();
        directory.AppendEnabled = false;
    }

    void click(QToolBar* bar, QAction* action)
    {
        QWidget* button = bar->widgetForAction(action);
        ASSERT_TRUE(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void select(const char* fileName)
    {
        for (int row = 1; row <= directory.EntryCount; ++row)
            if (directory.FileName(row) == QLatin1String(fileName)) {
                Windows().Fhlavicky->Grid()->selectRow(row - 1);
                return;
            }
        ADD_FAILURE() << fileName << " is not listed";
    }
    // With VYBITOR_SCREENSHOTS set (a real X display), the whole screen as the user sees it.
    static void shot(const char* name)
    {
        const QString folder = qEnvironmentVariable("VYBITOR_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QTest::qWait(300); // let the windows paint what they hold
        QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
    static QProgressDialog* progressDialog()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible())
                return p;
        return nullptr;
    }
};

TEST_F(SlowDownload, StornoAtTheFirstClickLosesNothingAndOtherInputIsDropped)
{
    TesterSimProcess sim({QStringLiteral("--delay-ms"), QStringLiteral("10"), QStringLiteral("--log")});
    ASSERT_TRUE(sim.Started());
    TFmain& main = run.Start();
    UseSimulatorOverTcp(sim);
    TFhlavicky& list = *Windows().Fhlavicky;
    TFdata& data = *Windows().Fdata;
    click(main.TBXToolbar3, main.TBXnacti_test);
    ASSERT_GE(directory.EntryCount, 5);
    EXPECT_FALSE(list.AppendItem()->isEnabled());

    select("A0001.tst");
    click(list.Toolbar(), list.LoadItem());
    ASSERT_EQ(run.State().Record().RowCount, 60);
    ASSERT_TRUE(list.AppendItem()->isEnabled());
    // The user's own entries beside the loaded test.
    QTest::keyClicks(main.Hpoznamka, QStringLiteral("po oprave"));
    run.State().BatteryGrid.SetCell(1, 1, QStringLiteral("12,7"));
    run.State().Texts.Caption = QStringLiteral("Vybitor5 - A0001.txt");
    const TLoadEntries entries{run.State().BatteryGrid, run.State().Texts.Caption, run.State().Texts.Hpoznamka};
    ASSERT_EQ(entries.Note, QStringLiteral("po oprave"));
    auto loaded = std::make_unique<TTestRecord>();
    TakeOverRecord(*loaded, run.State().Record());
    data.Grid()->selectRow(3);

    // While the 108-battery test comes in (600 replies, 10 ms late each), the user clicks
    // around, closes windows, and then presses "Storno" once.
    select("A0005.tst");
    const bool graphShown = main.TBXgraf->isChecked();
    // The clicks wait for the progress dialog, however long a loaded machine takes to show it.
    qsizetype readsAtStorno = -1;
    QTimer dialogWatch;
    dialogWatch.setInterval(20);
    QObject::connect(&dialogWatch, &QTimer::timeout, [&] {
        if (!progressDialog())
            return;
        dialogWatch.stop();
        shot("progress-during-download");
        QTest::mouseClick(list.Toolbar()->widgetForAction(list.ReloadItem()), Qt::LeftButton);
        QTest::mouseClick(list.Toolbar()->widgetForAction(list.LoadItem()), Qt::LeftButton);
        QTest::mouseClick(list.Toolbar()->widgetForAction(list.AppendItem()), Qt::LeftButton);
        QTest::mouseClick(main.TBXToolbar3->widgetForAction(main.TBXgraf), Qt::LeftButton);
        QTest::mouseClick(data.Grid()->viewport(), Qt::LeftButton, {},
                          data.Grid()->visualRect(data.Grid()->model()->index(7, 2)).center());
        list.windowHandle()->close();
        main.windowHandle()->close();
        QTimer::singleShot(200, [&] {
            QProgressDialog* progress = progressDialog();
            ASSERT_TRUE(progress);
            readsAtStorno = sim.Requests("FR").size();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
    });
    dialogWatch.start();
    click(list.Toolbar(), list.LoadItem());
    ASSERT_GE(readsAtStorno, 0) << "the download ended before Storno";
    // The read on the wire when Storno came may still be answered; none follows it.
    EXPECT_LE(sim.Requests("FR").size() - readsAtStorno, 1) << "Storno did not stop the download within one exchange";
    EXPECT_EQ(progressDialog(), nullptr);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'|').toStdString();
    shot("after-storno");

    // Nothing lost: record, cells, caption, note; "Přidej" stays on for the loaded test.
    EXPECT_TRUE(sameTest(run.State().Record(), *loaded));
    EXPECT_EQ(run.State().BatteryGrid.Cell(1, 1), QStringLiteral("12,7"));
    EXPECT_EQ(run.State().Texts.Caption, entries.Caption);
    EXPECT_EQ(main.windowTitle(), entries.Caption);
    EXPECT_EQ(main.Hpoznamka->text(), entries.Note);
    EXPECT_TRUE(list.AppendItem()->isEnabled());
    // The clicks went nowhere: no second exchange, no #FA, windows and toggles as they were.
    EXPECT_EQ(sim.Requests("FS").size(), 2);
    EXPECT_EQ(sim.Requests("Tc").size(), 1);
    EXPECT_EQ(sim.Requests("FA").size(), 1);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(main.TBXgraf->isChecked(), graphShown);
    EXPECT_EQ(data.Grid()->selectionModel()->selectedRows().value(0).row(), 3);

    // The next download works and completes.
    select("A0002.tst");
    click(list.Toolbar(), list.LoadItem());
    EXPECT_EQ(run.State().Record().RowCount, 120);
    EXPECT_EQ(data.Grid()->model()->rowCount(), 120);
    EXPECT_EQ(sim.Requests("FA").size(), 2);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'|').toStdString();
    shot("second-download");
    run.End();
}

TEST_F(SlowDownload, PridejFollowsTheLoadedTestNotTheList)
{
    TesterSimProcess sim({QStringLiteral("--refuse"), QStringLiteral("FS:1")});
    ASSERT_TRUE(sim.Started());
    TFmain& main = run.Start();
    UseSimulatorOverTcp(sim);
    TFhlavicky& list = *Windows().Fhlavicky;
    click(main.TBXToolbar3, main.TBXnacti_test);
    // A refused download with no test loaded leaves "Přidej" off.
    select("A0003.tst");
    click(list.Toolbar(), list.LoadItem());
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Fault")});
    EXPECT_FALSE(list.AppendItem()->isEnabled());
    click(list.Toolbar(), list.LoadItem());
    ASSERT_TRUE(list.AppendItem()->isEnabled());
    click(list.Toolbar(), list.ReloadItem());
    EXPECT_TRUE(list.AppendItem()->isEnabled()) << "Reload";
    select("A0001.tst");
    click(list.Toolbar(), list.DeleteItem());
    EXPECT_TRUE(list.AppendItem()->isEnabled()) << "deletion";
    EXPECT_EQ(directory.EntryCount, 4);
    run.End();
}
} // namespace

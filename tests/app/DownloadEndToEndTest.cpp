#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/DialogUserReport.h"
#include "evaluation/ui/Data.h"
#include "support/TesterSimProcess.h"
#include "tester/TestDirectory.h"
#include "tester/TesterLink.h"
#include "tester/ui/Hlavicky.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTableView>
#include <gtest/gtest.h>

// The user's way from the tester's list to the data window, over a real loopback link.
TEST(DownloadEndToEnd, LoadedTestFillsTheDataWindowAndAppendWidensIt)
{
    RecordingUserReport report;
    ScopedUserReport scope(&report);
    TesterSimProcess sim;
    ASSERT_TRUE(sim.Started());
    UseSimulatorOverTcp(sim);
    TProgramState& state = TProgramState::Instance();
    TTestDirectory::Instance().ShowHidden = false;
    TFhlavicky directory(state);
    TFdata data(state);
    QObject::connect(&directory, &TFhlavicky::TestLoaded, [&state] { emit state.MeasurementTableChanged(); });
    directory.ShowAndList();
    ASSERT_TRUE(directory.LoadItem()->isEnabled());
    TTestDirectory::Instance().Select({1}, 1);
    directory.LoadItem()->trigger();
    EXPECT_TRUE(directory.AppendItem()->isEnabled());
    EXPECT_EQ(state.Record().RowCount, 60);
    EXPECT_EQ(data.Grid()->model()->rowCount(), 60);
    EXPECT_EQ(data.Grid()->model()->columnCount(), 5 + 4);
    TTestDirectory::Instance().Select({2}, 2);
    directory.AppendItem()->trigger();
    EXPECT_EQ(state.Record().RowCount, 180);
    EXPECT_EQ(state.Record().RunInfo.BatteryCount, 12);
    EXPECT_EQ(data.Grid()->model()->columnCount(), 5 + 12);
    EXPECT_TRUE(report.messages.isEmpty()) << report.messages.join(QLatin1Char('|')).toStdString();
    if (qEnvironmentVariableIsSet("VYBITOR_SCREENSHOTS")) {
        data.resize(900, 500);
        data.show();
        data.grab().save(qEnvironmentVariable("VYBITOR_SCREENSHOTS") + QStringLiteral("/data.png"));
        directory.grab().save(qEnvironmentVariable("VYBITOR_SCREENSHOTS") + QStringLiteral("/hlavicky-sim.png"));
    }
    TTesterLink::Instance().Disconnect();
    TTestDirectory::Instance().Reset();
}

// A tester whose TCP handshake completes only at the client's SYN retry (a router, Wi-Fi, a
// lost first SYN): the desktop program waits the link's full connect timeout for it, with
// its own message boxes and the windows kept live meanwhile, then lists and downloads.
TEST(DownloadEndToEnd, ATesterWhoseHandshakeTakesOverASecondIsListedAndDownloadedFrom)
{
    TDialogUserReport dialogs;
    ScopedUserReport scope(&dialogs);
    TesterSimProcess sim({QStringLiteral("--handshake-after-ms"), QStringLiteral("1500")});
    ASSERT_TRUE(sim.Started());
    QElapsedTimer clock;
    clock.start();
    UseSimulatorOverTcp(sim);
    TTesterLink::Instance().SetTimeouts({}); // the program's own 5000 ms
    // A message box would wait for a click that never comes: a failure must not hang the run.
    QTimer closeBoxes;
    QObject::connect(&closeBoxes, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    closeBoxes.start(10000);
    int ticks = 0;
    QTimer live;
    QObject::connect(&live, &QTimer::timeout, [&ticks] { ++ticks; });
    live.start(100);

    TProgramState& state = TProgramState::Instance();
    TTestDirectory::Instance().ShowHidden = false;
    TFhlavicky directory(state);
    directory.ShowAndList();
    EXPECT_GT(clock.elapsed(), 1000) << "connected after more than 1 s";
    EXPECT_GE(ticks, 5) << "the event loop ran while the link waited";
    ASSERT_TRUE(directory.LoadItem()->isEnabled());
    TTestDirectory::Instance().Select({2}, 2);
    directory.LoadItem()->trigger();
    EXPECT_EQ(state.Record().RunInfo.BatteryCount, 12);
    EXPECT_EQ(state.Record().RowCount, 120);
    TTesterLink::Instance().Disconnect();
    TTestDirectory::Instance().Reset();
}

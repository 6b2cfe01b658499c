#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/ui/Data.h"
#include "support/TesterSimProcess.h"
#include "tester/TestDirectory.h"
#include "tester/TesterLink.h"
#include "tester/ui/Hlavicky.h"

#include <QAction>
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

// The directory window with the program's real message boxes over a loopback link to
// tester-sim: what the user sees behind each box (the rows listed so far, the cursor).
#include "app/ProgramState.h"
#include "app/ui/DialogUserReport.h"
#include "support/TesterSimProcess.h"
#include "tester/TestDirectory.h"
#include "tester/TesterLink.h"
#include "tester/ui/Hlavicky.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTableView>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Answers every box as a user does (Yes to a question), noting what was on the screen.
class TBoxWatcher {
public:
    struct TSeen {
        QString Text;
        int Rows;  // rows of the directory grid behind the box
        bool Busy; // the hourglass over the box
    };
    explicit TBoxWatcher(const QTableView& grid) : grid_(grid)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
        timer_.start(10);
    }
    QList<TSeen> Seen;
    std::function<void(int seen)> OnBox; // e.g. the network comes back after the first error

private:
    void Look()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        Seen.push_back({box->text(), grid_.model()->rowCount(), QApplication::overrideCursor() != nullptr});
        if (OnBox)
            OnBox(int(Seen.size()));
        QAbstractButton* answer = box->button(QMessageBox::Yes);
        (answer ? answer : box->button(QMessageBox::Ok))->click();
    }

    const QTableView& grid_;
    QTimer timer_;
};

class DirectoryWindowBoxes : public ::testing::Test {
protected:
    void TearDown() override
    {
        TTesterLink::Instance().Disconnect();
        TTestDirectory::Instance().Reset();
    }
    void Click(QAction* item)
    {
        QTest::mouseClick(window.findChild<QToolBar*>()->widgetForAction(item), Qt::LeftButton);
    }
    // A loopback port where nothing listens.
    static quint16 DeadPort()
    {
        QTcpServer server;
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        return server.serverPort();
    }

    TDialogUserReport dialogs;
    ScopedUserReport useDialogs{&dialogs};
    TFhlavicky window{TProgramState::Instance()};
    TBoxWatcher watcher{*window.Grid()};
};

} // namespace

// A listing that the tester breaks off after three entries: the three rows are on the
// screen when its "Error" box asks for the user's attention, under the normal cursor.
TEST_F(DirectoryWindowBoxes, RowsShowAsListedAndTheErrorBoxFindsThemThere)
{
    TesterSimProcess sim({QStringLiteral("--refuse"), QStringLiteral("TT:4")});
    ASSERT_TRUE(sim.Started());
    UseSimulatorOverTcp(sim);
    TTestDirectory::Instance().ShowHidden = false;
    window.ShowAndList();
    ASSERT_EQ(watcher.Seen.size(), 1);
    EXPECT_EQ(watcher.Seen[0].Text, QStringLiteral("Error"));
    EXPECT_EQ(watcher.Seen[0].Rows, 3);
    EXPECT_FALSE(watcher.Seen[0].Busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The tester cannot be reached for "Reload" or a deletion: the first connection error is
// told under the normal cursor, and the hourglass is gone when all is done.
TEST_F(DirectoryWindowBoxes, ConnectionErrorsOfReloadAndDeletionAreToldWithoutTheHourglass)
{
    TesterSimProcess sim;
    ASSERT_TRUE(sim.Started());
    UseSimulatorOverTcp(sim);
    TTestDirectory::Instance().ShowHidden = false;
    window.show();
    window.ShowAndList();
    ASSERT_TRUE(window.DeleteItem()->isEnabled());
    ASSERT_TRUE(watcher.Seen.isEmpty());
    TTesterLink& link = TTesterLink::Instance();
    // The network fails for Reload, and comes back once the user has been told.
    int errorBox = 1;
    watcher.OnBox = [&](int seen) {
        if (seen == errorBox)
            link.SetTcpPort(sim.Port());
    };

    link.Disconnect();
    link.SetTcpPort(DeadPort());
    Click(window.ReloadItem());
    ASSERT_FALSE(watcher.Seen.isEmpty());
    EXPECT_FALSE(watcher.Seen[0].Busy) << watcher.Seen[0].Text.toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    window.ShowAndList();
    ASSERT_TRUE(window.DeleteItem()->isEnabled());
    watcher.Seen.clear();
    errorBox = 0; // the tester stays away: one error ends the deletion, not one per poll
    link.Disconnect();
    link.SetTcpPort(DeadPort());
    Click(window.DeleteItem());
    ASSERT_EQ(watcher.Seen.size(), 2); // the question, then the connection error
    for (const TBoxWatcher::TSeen& seen : watcher.Seen)
        EXPECT_FALSE(seen.Busy) << seen.Text.toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

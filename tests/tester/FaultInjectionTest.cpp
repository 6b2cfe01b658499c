// A tester that fails in every way the emulator can: each fault ends the command with a
// clear message within the link's timeouts, the loaded test stays as it was, and the next
// exchange with a sound tester works again.
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "model/Errors.h"
#include "support/RecordBuilder.h"
#include "support/TesterSimProcess.h"
#include "tester/DirectoryFlows.h"
#include "tester/LinkState.h"
#include "tester/TestDirectory.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"

#include <QElapsedTimer>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {
struct TesterFault : ::testing::Test {
    RecordingUserReport report;
    ScopedUserReport scope{&report};
    TTesterLink& link = TTesterLink::Instance();
    TTestDirectory& directory = TTestDirectory::Instance();
    TProgramState& state = TProgramState::Instance();
    std::unique_ptr<TTestRecord> before = MakeRecord({3, 5, 8}, 25);
    QElapsedTimer clock;

    void SetUp() override
    {
        directory.ShowHidden = false;
        directory.Reset();
        ClearRecord(state.Record());
        TakeOverRecord(state.Record(), *before);
        clock.start();
    }
    void TearDown() override
    {
        link.Disconnect();
        link.SetTimeouts({});
        directory.Reset();
    }

    void listAndSelect(const char* fileName)
    {
        ListTesterDirectory(link, directory);
        for (int row = 1; row <= directory.EntryCount; ++row)
            if (directory.FileName(row) == QLatin1String(fileName))
                directory.Select({row}, row);
        ASSERT_EQ(directory.FileName(directory.CurrentRow), QLatin1String(fileName));
    }
    // The download ends with the error that the global handler would show.
    QString failedDownload()
    {
        try {
            DownloadCurrentTest(link, directory, false);
        } catch (const VybitorError& e) {
            return e.text();
        }
        return {};
    }
    void expectTestUnchanged() const
    {
        EXPECT_EQ(std::memcmp(&state.Record(), before.get(), sizeof(TTestRecord)), 0) << "the loaded test changed";
    }
    // A sound tester afterwards: list and download work on the same link.
    void expectNextExchangeWorks()
    {
        TesterSimProcess sound;
        UseSimulatorOverTcp(sound);
        report.messages.clear();
        listAndSelect("A0002.tst");
        ASSERT_TRUE(DownloadCurrentTest(link, directory, false)) << report.messages.join(u'|').toStdString();
        EXPECT_EQ(state.Record().RowCount, 120);
        EXPECT_TRUE(report.messages.isEmpty()) << report.messages.join(u'|').toStdString();
    }
};
} // namespace

TEST_F(TesterFault, ConnectionClosedInTheMiddleOfADownload)
{
    TesterSimProcess sim({QStringLiteral("--close-after"), QStringLiteral("20")});
    UseSimulatorOverTcp(sim);
    listAndSelect("A0005.tst");
    EXPECT_EQ(failedDownload(), QStringLiteral("Connection Closed Gracefully."));
    expectTestUnchanged();
    EXPECT_FALSE(directory.IsDownloaded(directory.CurrentRow));
    expectNextExchangeWorks();
}

TEST_F(TesterFault, ReplyLaterThanTheReadTimeoutIsNeverTakenForTheNextReply)
{
    TesterSimProcess sim({QStringLiteral("--delay-ms"), QStringLiteral("3500")});
    UseSimulatorOverTcp(sim);
    link.SetTimeouts({}); // the program's own 3000 ms
    // Thrown at all means the wait ended before the reply came at 3500 ms.
    EXPECT_THROW(link.Send('N', 'U'), VybitorError);
    EXPECT_GE(clock.elapsed(), 2900);
    // The late #NU reply arrives while the next request waits: it must not answer #Tc.
    try {
        link.Send('T', 'c');
        ADD_FAILURE() << "a late reply to #" << char(link.Frame.Head[1]) << char(link.Frame.Head[2])
                      << " was taken as the reply to #Tc";
    } catch (const VybitorError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Read timed out."));
    }
    expectTestUnchanged();
    expectNextExchangeWorks();
}

TEST_F(TesterFault, ReplyLongerThanTheFrameIsRefused)
{
    TesterSimProcess sim({QStringLiteral("--oversize")});
    UseSimulatorOverTcp(sim);
    try {
        ListTesterDirectory(link, directory);
        ADD_FAILURE() << "an oversized reply was accepted";
    } catch (const VybitorError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("The tester sent a reply of 512 bytes; a frame holds at most 502."));
    }
    EXPECT_FALSE(state.SettingsRead);
    expectTestUnchanged();
    expectNextExchangeWorks();
}

TEST_F(TesterFault, DirectoryStatusElevenSaysErrorAndListsNothing)
{
    TesterSimProcess sim({QStringLiteral("--tt-status-11")});
    UseSimulatorOverTcp(sim);
    ListTesterDirectory(link, directory);
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Error")});
    EXPECT_EQ(directory.EntryCount, 0);
    EXPECT_FALSE(directory.LoadEnabled);
    EXPECT_FALSE(DownloadCurrentTest(link, directory, false));
    expectTestUnchanged();
    expectNextExchangeWorks();
}

TEST_F(TesterFault, RefusedChunksSayFaultAndLoadNothing)
{
    TesterSimProcess sim({QStringLiteral("--refuse-files")});
    UseSimulatorOverTcp(sim);
    listAndSelect("A0003.tst");
    EXPECT_FALSE(DownloadCurrentTest(link, directory, false));
    EXPECT_FALSE(DownloadCurrentTest(link, directory, true));
    EXPECT_EQ(report.messages, (QStringList{QStringLiteral("Fault"), QStringLiteral("Fault")}));
    EXPECT_FALSE(directory.IsDownloaded(directory.CurrentRow));
    expectTestUnchanged();
    EXPECT_FALSE(WriteTesterFile(link, QStringLiteral("/config/lokality.lkt"), QByteArray(300, 'p')));
    expectNextExchangeWorks();
}

TEST_F(TesterFault, OnlyTheKthRequestOfACommandIsRefused)
{
    TesterSimProcess sim({QStringLiteral("--refuse"), QStringLiteral("FR:3"), QStringLiteral("--refuse"), QStringLiteral("FW:2")});
    UseSimulatorOverTcp(sim);
    listAndSelect("A0003.tst");
    // The third chunk is refused: nothing is loaded, the test is not marked.
    EXPECT_FALSE(DownloadCurrentTest(link, directory, false));
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Fault")});
    EXPECT_FALSE(directory.IsDownloaded(directory.CurrentRow));
    expectTestUnchanged();
    // Later chunks of the same command are answered again.
    report.messages.clear();
    ASSERT_TRUE(DownloadCurrentTest(link, directory, false));
    EXPECT_TRUE(report.messages.isEmpty());
    // Of three chunks (229, 229, 42 bytes) only the second is refused; the third is still sent.
    EXPECT_FALSE(WriteTesterFile(link, QStringLiteral("/config/lokality.lkt"), QByteArray(500, 'p')));
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Fault")});
    EXPECT_EQ(ReadTesterFile(link, QStringLiteral("/config/lokality.lkt")).size(), 229 + 42);
    EXPECT_TRUE(WriteTesterFile(link, QStringLiteral("/config/lokality.lkt"), QByteArray(500, 'p')));
}

TEST_F(TesterFault, DeletionThatNeverFinishesGivesUpAfterItsPolls)
{
    TesterSimProcess sim({QStringLiteral("--never-finish-deletion")});
    UseSimulatorOverTcp(sim);
    listAndSelect("A0001.tst");
    const int listed = directory.EntryCount;
    DeleteSelectedTests(link, directory);
    // 101 polls 100 ms apart, then the list is read again.
    EXPECT_GE(clock.elapsed(), 101 * 100);
    EXPECT_LT(clock.elapsed(), 101 * 100 + 5000);
    EXPECT_EQ(directory.EntryCount, listed);
    expectTestUnchanged();
    expectNextExchangeWorks();
}

TEST_F(TesterFault, PseudoTerminalClosedUnderTheSerialLink)
{
    auto sim = std::make_unique<TesterSimProcess>(QStringList{}, true);
    ASSERT_FALSE(sim->PtyPath().isEmpty());
    const QString ptyPath = sim->PtyPath();
    state.Settings.Link = 1;
    state.Settings.SerialPort = sim->PtyPath();
    state.SettingsRead = false;
    state.DirectoryListed = false;
    ASSERT_TRUE(ShowLinkState().SerialOpen);
    listAndSelect("A0001.tst");
    sim.reset(); // the tester goes away with the port still open
    // Bounded by the serial timeouts: 100 ms per request byte plus 1000 ms to write, then
    // 1000 ms per head byte plus 1000 ms for the head.
    const auto serialBound = [](int requestBytes) { return 100 * requestBytes + 1000 + 7000 + 500; };
    clock.restart();
    const QString error = failedDownload();
    EXPECT_TRUE(error.startsWith(QStringLiteral("The tester did not answer on ") + ptyPath)) << error.toStdString();
    EXPECT_LT(clock.elapsed(), serialBound(6 + int(TesterTestPath(QStringLiteral("A0001.tst")).size())));
    expectTestUnchanged();
    // The next exchange on the dead port fails again, as clearly and as quickly.
    clock.restart();
    EXPECT_THROW(link.Send('N', 'U'), VybitorError);
    EXPECT_LT(clock.elapsed(), serialBound(6));
    link.CloseSerialPort();
    state.Settings.Link = 0;
    expectNextExchangeWorks();
}

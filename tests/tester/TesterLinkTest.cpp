#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "model/Errors.h"
#include "support/TesterSimProcess.h"
#include "tester/LinkFixture.h"
#include "tester/DirectoryFlows.h"
#include "tester/LinkState.h"
#include "tester/TestDirectory.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <gtest/gtest.h>

namespace {
using Link = LinkFixture;
} // namespace

TEST(Frame, LengthIsLittleEndianAndEmptyPayloadSendsSixBytes)
{
    TTesterFrame frame;
    frame.SetRequest('N', 'U', 0);
    EXPECT_EQ(frame.RequestBytes(), QByteArray("#NU\0\0\0", 6));
    frame.SetRequest('F', 'W', 1, QByteArray(157, 'x'));
    EXPECT_EQ(frame.Head[4], 0x9D);
    EXPECT_EQ(frame.Head[5], 0x00);
    EXPECT_EQ(frame.RequestBytes().size(), 163);
}

TEST(Frame, ChecksumOfTheSettingsReply)
{
    TTesterFrame frame;
    frame.Head[4] = 2;
    EXPECT_TRUE(VerifyChecksum(frame)); // no data, both checksum bytes 0
    frame.Payload[0] = 1;
    EXPECT_FALSE(VerifyChecksum(frame));
    // Sums worked out by hand: "abc" is 0x61 + 0x62 + 0x63 = 0x0126; 257 bytes of 0xFF are
    // 65535 = 0xFFFF, the largest sum that verifies; 258 of them (65790) never verify.
    frame.SetRequest('N', 'U', 0, QByteArray("abc\x26\x01", 5));
    EXPECT_TRUE(VerifyChecksum(frame));
    frame.SetRequest('N', 'U', 0, QByteArray("abc\x01\x26", 5));
    EXPECT_FALSE(VerifyChecksum(frame)) << "the sum is little-endian";
    frame.SetRequest('N', 'U', 0, QByteArray(257, char(0xFF)) + QByteArray("\xFF\xFF", 2));
    EXPECT_TRUE(VerifyChecksum(frame));
    frame.SetRequest('N', 'U', 0, QByteArray(258, char(0xFF)) + QByteArray("\xFE\x00", 2));
    EXPECT_FALSE(VerifyChecksum(frame));
}

TEST_F(Link, ListsDownloadsAndMarksTheSampleTests)
{
    TesterSimProcess sim;
    ASSERT_TRUE(sim.Started());
    UseSimulatorOverTcp(sim);
    ListTesterDirectory(link, directory);
    EXPECT_TRUE(report.messages.isEmpty()) << report.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(state.SettingsRead);
    EXPECT_EQ(TesterSettings().DataDirectory(), QStringLiteral("DATA"));
    ASSERT_EQ(directory.EntryCount, 5); // the sixth is hidden
    EXPECT_TRUE(state.DirectoryListed);
    EXPECT_EQ(directory.Grid.Cell(DirTest, 2), QStringLiteral("0002"));
    EXPECT_FALSE(directory.IsDownloaded(2));

    directory.Select({2}, 2);
    ASSERT_TRUE(DownloadCurrentTest(link, directory, false)) << report.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(state.Record().RunInfo.BatteryCount, 12);
    EXPECT_EQ(state.Record().RowCount, 120);
    // Unary + reads packed fields by value; a reference to one would be misaligned.
    EXPECT_EQ(+state.Record().Rows[1].ElapsedSeconds, 30);
    EXPECT_TRUE(directory.IsDownloaded(2));

    // The tester now reports the mark itself.
    ReloadTesterDirectory(link, directory);
    EXPECT_TRUE(directory.IsDownloaded(2));
    EXPECT_FALSE(directory.IsDownloaded(1));

    directory.ShowHidden = true;
    ReloadTesterDirectory(link, directory);
    EXPECT_EQ(directory.EntryCount, 6);
}

TEST_F(Link, DeletionSendsOneMarkPerRowAndReloads)
{
    TesterSimProcess sim;
    UseSimulatorOverTcp(sim);
    ListTesterDirectory(link, directory);
    ASSERT_EQ(directory.EntryCount, 5);
    directory.Select({1, 3, 4}, 1);
    report.answers = {true};
    DeleteSelectedTests(link, directory);
    EXPECT_EQ(report.questions, QStringList{QStringLiteral("Opravdu smazat? #3")});
    EXPECT_EQ(directory.EntryCount, 2);
    report.answers = {false};
    DeleteHiddenTests(link, directory);
    EXPECT_EQ(directory.EntryCount, 2);
}

TEST_F(Link, FileReadUsesChunksOfTheBlockSizeAndRefusalSaysFault)
{
    TesterSimProcess sim;
    UseSimulatorOverTcp(sim);
    ReadTesterSettings(link);
    const QByteArray file = ReadTesterFile(link, TesterTestPath(QStringLiteral("A0005.tst")));
    EXPECT_EQ(file.size(), 98 + 108 + 600 * StoredRowSize(108));
    EXPECT_TRUE(ReadTesterFile(link, QStringLiteral("/DATA/none.tst")).isEmpty());
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Fault")});

    report.messages.clear();
    ASSERT_TRUE(WriteTesterFile(link, QStringLiteral("/config/lokality.lkt"), QByteArray(458, 'p')));
    EXPECT_EQ(ReadTesterFile(link, QStringLiteral("/config/lokality.lkt")), QByteArray(458, 'p'));
    EXPECT_TRUE(report.messages.isEmpty());
}

TEST_F(Link, NoListenerGivesTheConnectionErrorAndStatusOne)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 freePort = probe.serverPort();
    probe.close();
    state.Settings.Link = 0;
    state.Settings.TesterAddress = QStringLiteral("127.0.0.1");
    state.SettingsRead = false;
    link.SetTcpPort(freePort);
    EXPECT_EQ(link.Send('N', 'U'), 1);
    ASSERT_EQ(report.messages.size(), 1);
    ReadTesterSettings(link);
    EXPECT_FALSE(state.SettingsRead);
    EXPECT_EQ(report.messages.last(), QStringLiteral("Chyba načtení nastavení testeru"));
}

TEST_F(Link, FaultsOfTheTesterGiveClearErrorsAndTheNextExchangeWorks)
{
    {
        TesterSimProcess sim({QStringLiteral("--bad-checksum")});
        UseSimulatorOverTcp(sim);
        ReadTesterSettings(link);
        EXPECT_FALSE(state.SettingsRead);
        EXPECT_EQ(report.messages, QStringList{QStringLiteral("Chyba načtení nastavení testeru")});
    }
    {
        TesterSimProcess sim({QStringLiteral("--oversize")});
        UseSimulatorOverTcp(sim);
        EXPECT_THROW(link.Send('N', 'U'), VybitorError);
    }
    {
        TesterSimProcess sim({QStringLiteral("--delay-ms"), QStringLiteral("1500")});
        UseSimulatorOverTcp(sim);
        // The reply comes after the 1000 ms read timeout: thrown at all means it was not awaited.
        EXPECT_THROW(link.Send('N', 'U'), VybitorError);
    }
    {
        TesterSimProcess sim({QStringLiteral("--tt-status-11")});
        UseSimulatorOverTcp(sim);
        report.messages.clear();
        ListTesterDirectory(link, directory);
        EXPECT_EQ(report.messages, QStringList{QStringLiteral("Error")});
        EXPECT_FALSE(state.DirectoryListed);
    }
    {
        TesterSimProcess sim({QStringLiteral("--close-after"), QStringLiteral("3")});
        UseSimulatorOverTcp(sim);
        ReadTesterSettings(link);
        ASSERT_TRUE(state.SettingsRead);
        EXPECT_THROW(ReadTesterFile(link, TesterTestPath(QStringLiteral("A0005.tst"))), VybitorError);
        // The next exchange connects again.
        EXPECT_EQ(link.Send('T', 'c'), 0);
    }
}

TEST_F(Link, DeletionThatNeverFinishesEndsAfter101Polls)
{
    TesterSimProcess sim({QStringLiteral("--never-finish-deletion"), QStringLiteral("--log")});
    UseSimulatorOverTcp(sim);
    QElapsedTimer t;
    t.start();
    WaitForDeletion(link, 5);
    EXPECT_GE(t.elapsed(), 101 * 5);
    // 101 polls with parameter 0, then one #Td 255; none carries a payload.
    const QList<TLoggedRequest> polls = sim.Requests("Td");
    ASSERT_EQ(polls.size(), 102);
    for (int i = 0; i < polls.size(); ++i) {
        EXPECT_EQ(polls[i].Parameter, i < 101 ? 0 : 255) << "poll " << i;
        EXPECT_TRUE(polls[i].Payload.isEmpty());
    }
}

TEST_F(Link, SerialLinkOverAPseudoTerminal)
{
    TesterSimProcess sim({}, true);
    ASSERT_FALSE(sim.PtyPath().isEmpty());
    state.Settings.Link = 1;
    state.Settings.SerialPort = sim.PtyPath();
    state.SettingsRead = false;
    const TLinkState shown = ShowLinkState();
    EXPECT_EQ(shown.PanelText, QStringLiteral("  USB-RS232   ") + sim.PtyPath());
    ASSERT_TRUE(shown.SerialOpen);
    EXPECT_FALSE(ProbeSerialPort(sim.PtyPath())); // we hold it
    ReadTesterSettings(link);
    EXPECT_TRUE(state.SettingsRead);
    const QByteArray file = ReadTesterFile(link, TesterTestPath(QStringLiteral("A0001.tst")));
    EXPECT_EQ(file.size(), 98 + 4 + 60 * StoredRowSize(4));
    link.CloseSerialPort();
    state.Settings.Link = 0;
}

TEST_F(Link, MissingSerialPortIsReportedOnceAndLinkMinusOneIsEthernet)
{
    state.Settings.Link = 1;
    state.Settings.SerialPort = QStringLiteral("/dev/ttyNONE-vybitor");
    EXPECT_FALSE(ProbeSerialPort(state.Settings.SerialPort));
    const TLinkState shown = ShowLinkState();
    EXPECT_EQ(shown.PanelText, QStringLiteral("  USB-RS232   ***"));
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("Port /dev/ttyNONE-vybitor nelze otevřít")});
    EXPECT_THROW(link.Send('N', 'U'), VybitorError); // no open port
    state.Settings.Link = -1;
    EXPECT_EQ(ShowLinkState().PanelText, QStringLiteral("  IP : ") + state.Settings.TesterAddress);
    EXPECT_FALSE(TTesterLink::UsesSerial(-1));
    state.Settings.Link = 0;
}

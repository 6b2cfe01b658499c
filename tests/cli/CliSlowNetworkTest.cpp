// The companion against a tester whose network is slower than loopback: the TCP handshake
// completes only at the client's SYN retry, or never.
#include "cli/CliRun.h"
#include "support/TesterSimProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct SlowTester {
    explicit SlowTester(const QStringList& handshake) : sim(handshake)
    {
        clock.start();
        QFile(dir.filePath(QStringLiteral("cli.ini"))).open(QIODevice::WriteOnly);
    }
    TCliRun Run(const QStringList& command) const
    {
        return RunCli(LinkOptions(sim) + QStringList{QStringLiteral("--config"), dir.filePath(QStringLiteral("cli.ini"))} + command);
    }
    TesterSimProcess sim;
    QTemporaryDir dir;
    QElapsedTimer clock; // from the emulator's start, whose handshakes wait from then
};

const QStringList SlowHandshake{QStringLiteral("--handshake-after-ms"), QStringLiteral("1500")};
} // namespace

TEST(CliSlowNetwork, ListsAndDownloadsFromATesterWhoseHandshakeTakesOverASecond)
{
    SlowTester listed(SlowHandshake);
    ASSERT_TRUE(listed.sim.Started());
    const TCliRun list = listed.Run({QStringLiteral("list")});
    EXPECT_GT(listed.clock.elapsed(), 1000) << "connected after more than 1 s";
    EXPECT_EQ(list.Exit, 0) << list.Err.toStdString();
    EXPECT_EQ(list.Out.count(QLatin1Char('\n')), 5);

    SlowTester downloaded(SlowHandshake);
    ASSERT_TRUE(downloaded.sim.Started());
    const QString out = downloaded.dir.filePath(QStringLiteral("A0002.txt"));
    const TCliRun download = downloaded.Run({QStringLiteral("download"), QStringLiteral("A0002.tst"), QStringLiteral("-o"), out});
    EXPECT_GT(downloaded.clock.elapsed(), 1000) << "connected after more than 1 s";
    EXPECT_EQ(download.Exit, 0) << download.Err.toStdString();
    QFile text(out);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("Plze\xf2, rozvodna")); // Windows-1250
}

TEST(CliSlowNetwork, AHandshakeThatNeverCompletesTimesOutAfterFiveSeconds)
{
    SlowTester never({QStringLiteral("--never-handshake")});
    ASSERT_TRUE(never.sim.Started());
    QElapsedTimer clock;
    clock.start();
    const TCliRun run = never.Run({QStringLiteral("list")});
    EXPECT_GE(clock.elapsed(), 5000) << "the link's connect timeout, not a slice of it";
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Err.startsWith(QStringLiteral("Connection to 127.0.0.1 timed out.\n"))) << run.Err.toStdString();
}

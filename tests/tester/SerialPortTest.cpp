// The serial link over a pseudo-terminal: the read timeouts, and the probe of a port that
// another program, or this one, holds.
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "support/TesterSimProcess.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
struct SerialLink : ::testing::Test {
    RecordingUserReport report;
    ScopedUserReport scope{&report};
    TTesterLink& link = TTesterLink::Instance();
    TProgramState& state = TProgramState::Instance();

    void TearDown() override
    {
        link.CloseSerialPort();
        state.Settings.Link = 0;
    }
};

// Another program holding the port: a child process that opens it and, when asked, marks it
// exclusive or writes a lock file with its process id. It stays until killed.
pid_t holdPort(const QString& path, bool exclusive, const QString& lockFile)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const QByteArray device = QFile::encodeName(path);
    const QByteArray lock = QFile::encodeName(lockFile);
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (exclusive)
            ::ioctl(fd, TIOCEXCL);
        if (!lock.isEmpty()) {
            char pid[16];
            const int n = std::snprintf(pid, sizeof pid, "%10d\n", int(::getpid()));
            const int lockFd = ::open(lock.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (::write(lockFd, pid, size_t(n)) != n)
                ::_exit(1);
            ::close(lockFd);
        }
        if (::write(ready[1], "r", 1) != 1)
            ::_exit(1);
        ::pause();
        ::_exit(0);
    }
    char r;
    if (::read(ready[0], &r, 1) != 1)
        return -1;
    ::close(ready[0]);
    ::close(ready[1]);
    return child;
}

void endHolder(pid_t child)
{
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}
} // namespace

TEST_F(SerialLink, ReplyLaterThanOneSecondIsStillRead)
{
    // Six head bytes may take 7 s in all; 1.5 s before the first one is no failure.
    TesterSimProcess sim({QStringLiteral("--delay-ms"), QStringLiteral("1500")}, true);
    ASSERT_FALSE(sim.PtyPath().isEmpty());
    QString error;
    ASSERT_TRUE(link.OpenSerialPort(sim.PtyPath(), error)) << error.toStdString();
    state.Settings.Link = 1;
    state.SettingsRead = false;
    QElapsedTimer clock;
    clock.start();
    ReadTesterSettings(link);
    EXPECT_TRUE(state.SettingsRead) << report.messages.join(u'|').toStdString();
    EXPECT_GE(clock.elapsed(), 1500);
}

TEST_F(SerialLink, ProbeSeesAPortHeldByAnotherProgramOrByThisOne)
{
    // A pseudo-terminal keeps its exclusive mark after the holder closes it (a USB port drops
    // it), so each holder that sets one gets a terminal of its own.
    TesterSimProcess sim({}, true), second({}, true), third({}, true);
    const QString port = sim.PtyPath();
    ASSERT_FALSE(port.isEmpty());
    EXPECT_TRUE(ProbeSerialPort(port)) << "nobody holds it yet";

    // pts/3 is locked as LCK..pts_3; a lock whose process has ended does not count.
    const QString lockFile = QStringLiteral("/var/lock/LCK..") + QString(port).mid(5).replace(QLatin1Char('/'), QLatin1Char('_'));
    if (QFileInfo(QStringLiteral("/var/lock")).isWritable() && !QFile::exists(lockFile)) {
        const pid_t locker = holdPort(port, false, lockFile);
        ASSERT_GT(locker, 0);
        EXPECT_FALSE(ProbeSerialPort(port)) << "locked by a live process";
        endHolder(locker);
        EXPECT_TRUE(QFile::exists(lockFile));
        EXPECT_TRUE(ProbeSerialPort(port)) << "the lock's process has ended";
        QFile::remove(lockFile);
    }

    const pid_t exclusiveHolder = holdPort(second.PtyPath(), true, {});
    ASSERT_GT(exclusiveHolder, 0);
    EXPECT_FALSE(ProbeSerialPort(second.PtyPath())) << "held exclusively by another process";
    endHolder(exclusiveHolder);

    // This program holding it through a port of its own, and through the link.
    QSerialPort own(third.PtyPath());
    ASSERT_TRUE(own.open(QIODevice::ReadWrite)) << own.errorString().toStdString();
    EXPECT_FALSE(ProbeSerialPort(third.PtyPath()));
    QString error;
    ASSERT_TRUE(link.OpenSerialPort(port, error));
    EXPECT_FALSE(ProbeSerialPort(port));
}

#include "support/TesterSimProcess.h"

#include "app/ProgramState.h"
#include "tester/TesterLink.h"

#include <QDeadlineTimer>

QString TesterSimProcess::Executable() { return QStringLiteral(VYBITOR_BINARY_DIR "/tools/tester-sim/tester-sim"); }
QString TesterSimProcess::SamplesFolder() { return QStringLiteral(VYBITOR_SOURCE_DIR "/samples/tests"); }

TesterSimProcess::TesterSimProcess(const QStringList& options, bool pty, const QString& dataFolder)
{
    QStringList args{QStringLiteral("--data"), dataFolder};
    args << (pty ? QStringList{QStringLiteral("--pty")} : QStringList{QStringLiteral("--port"), QStringLiteral("0")});
    args << options;
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(Executable(), args);
    if (!process_.waitForStarted(5000))
        return;
    QDeadlineTimer deadline(5000);
    QByteArray line;
    while (!line.endsWith('\n') && !deadline.hasExpired()) {
        process_.waitForReadyRead(100);
        line += process_.readAllStandardOutput();
    }
    const QList<QByteArray> words = line.trimmed().split(' ');
    if (words.size() == 2 && words[0] == "port")
        port_ = quint16(words[1].toUInt());
    if (words.size() == 2 && words[0] == "pty")
        pty_ = QString::fromLocal8Bit(words[1]);
}

TesterSimProcess::~TesterSimProcess()
{
    process_.kill();
    process_.waitForFinished(2000);
}

void UseSimulatorOverTcp(const TesterSimProcess& sim)
{
    TProgramState& state = TProgramState::Instance();
    state.Settings.Link = 0;
    state.Settings.TesterAddress = QStringLiteral("127.0.0.1");
    state.SettingsRead = false;
    state.DirectoryListed = false;
    TTesterLink& link = TTesterLink::Instance();
    link.Disconnect();
    link.SetTcpPort(sim.Port());
    link.SetTimeouts({2000, 1000});
}

#include "support/TesterSimProcess.h"

#include "app/ProgramState.h"
#include "tester/TesterLink.h"

#include <QDeadlineTimer>
#include <QFile>

QString TesterSimProcess::Executable() { return QStringLiteral(VYBITOR_BINARY_DIR "/tools/tester-sim/tester-sim"); }
QString TesterSimProcess::SamplesFolder() { return QStringLiteral(VYBITOR_SOURCE_DIR "/samples/tests"); }

TesterSimProcess::TesterSimProcess(const QStringList& options, bool pty, const QString& dataFolder)
{
    QStringList args{QStringLiteral("--data"), dataFolder};
    args << (pty ? QStringList{QStringLiteral("--pty")} : QStringList{QStringLiteral("--port"), QStringLiteral("0")});
    args << options;
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    if (log_.open())
        process_.setStandardErrorFile(log_.fileName());
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

QList<TLoggedRequest> TesterSimProcess::Requests() const
{
    QFile file(log_.fileName());
    QList<TLoggedRequest> requests;
    if (!file.open(QIODevice::ReadOnly))
        return requests;
    for (const QByteArray& line : file.readAll().split('\n')) {
        // tester-sim: #FR 0 L=17 <payload in hex>
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 5 && words[0] == "tester-sim:" && words[1].startsWith('#'))
            requests.append({words[1].mid(1), words[2].toInt(), QByteArray::fromHex(words[4])});
    }
    return requests;
}

QList<TLoggedRequest> TesterSimProcess::Requests(const char* command) const
{
    QList<TLoggedRequest> matching;
    for (const TLoggedRequest& r : Requests())
        if (r.Command == command)
            matching.append(r);
    return matching;
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

#include "cli/CliRun.h"

#include "support/TesterSimProcess.h"

#include <QProcess>
#include <QTcpServer>

TCliRun RunCli(const QStringList& args, const char* locale)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VYBITOR_CLI), args);
    TCliRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.Err = QStringLiteral("vybitor5-cli did not finish");
        return run;
    }
    run.Exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Out = QString::fromUtf8(process.readAllStandardOutput());
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList LinkOptions(const TesterSimProcess& sim)
{
    if (!sim.PtyPath().isEmpty())
        return {QStringLiteral("--serial"), sim.PtyPath()};
    return {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(sim.Port())};
}

quint16 UnusedLoopbackPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort(); // closed when server goes; nobody listens there then
}

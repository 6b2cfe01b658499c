#include "support/PostgresServer.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <unistd.h>

namespace {
const QString ServerBin = QStringLiteral("/usr/lib/postgresql/15/bin/");

quint16 FreeLoopbackPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}
} // namespace

TPostgresServer::TPostgresServer()
{
    if (!QFile::exists(ServerBin + QStringLiteral("pg_ctl"))) {
        failure_ = QStringLiteral("the PostgreSQL server is not installed (scripts/install-deps installs it)");
        return;
    }
    // The server refuses to run as root and needs to own its folder.
    if (geteuid() == 0 && !Run({QStringLiteral("chown"), QStringLiteral("-R"), QStringLiteral("postgres"), dir_.path()}))
        return;
    const QString data = dir_.filePath(QStringLiteral("data"));
    port_ = FreeLoopbackPort();
    started_ = Run({ServerBin + QStringLiteral("initdb"), QStringLiteral("-D"), data, QStringLiteral("-U"),
                    QStringLiteral("vybitor"), QStringLiteral("--auth=trust"), QStringLiteral("-E"),
                    QStringLiteral("UTF8"), QStringLiteral("--locale=C")})
               && Run({ServerBin + QStringLiteral("pg_ctl"), QStringLiteral("-D"), data, QStringLiteral("-w"),
                       QStringLiteral("-l"), dir_.filePath(QStringLiteral("server.log")), QStringLiteral("-o"),
                       QStringLiteral("-k %1 -p %2 -c listen_addresses=127.0.0.1 -c fsync=off")
                           .arg(dir_.path()).arg(port_),
                       QStringLiteral("start")});
}

TPostgresServer::~TPostgresServer()
{
    if (started_)
        Run({ServerBin + QStringLiteral("pg_ctl"), QStringLiteral("-D"), dir_.filePath(QStringLiteral("data")),
             QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
}

TPostgresServer& TPostgresServer::Shared()
{
    static TPostgresServer server;
    return server;
}

bool TPostgresServer::Run(const QStringList& command)
{
    QStringList args = command;
    QString program = args.takeFirst();
    if (geteuid() == 0 && program.startsWith(ServerBin)) {
        args = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), program} + args;
        program = QStringLiteral("runuser");
    }
    QProcess process;
    process.setWorkingDirectory(dir_.path());
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        failure_ = QStringLiteral("%1 failed: %2%3").arg(program, QString::fromLocal8Bit(process.readAllStandardError()),
                                                         QString::fromLocal8Bit(process.readAllStandardOutput()));
        return false;
    }
    return true;
}

QString TPostgresServer::ConnInfo(const QString& database) const
{
    return QStringLiteral("host=127.0.0.1 port=%1 user=vybitor dbname=%2").arg(port_).arg(database);
}

QString TPostgresServer::NewDatabase()
{
    const QString name = QStringLiteral("index%1").arg(++databases_);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("pg-admin"));
        db.setConnectOptions(ConnInfo(QStringLiteral("postgres")));
        if (db.open())
            QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE ") + name);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pg-admin"));
    return ConnInfo(name);
}

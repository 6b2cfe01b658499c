#pragma once
// A real PostgreSQL server for one test program: a new cluster in a temporary folder,
// listening on a free loopback port and a socket in that folder, stopped at the end.
// As root it runs as the user postgres, which the server requires.

#include <QString>
#include <QTemporaryDir>

class TPostgresServer {
public:
    TPostgresServer();
    ~TPostgresServer();
    TPostgresServer(const TPostgresServer&) = delete;
    TPostgresServer& operator=(const TPostgresServer&) = delete;

    bool Started() const { return started_; }
    const QString& Failure() const { return failure_; }
    // A new empty database of its own for each caller; the libpq connection string.
    QString NewDatabase();

    // The server of the whole test program, started on first use.
    static TPostgresServer& Shared();

private:
    bool Run(const QStringList& command);
    QString ConnInfo(const QString& database) const;

    QTemporaryDir dir_;
    quint16 port_ = 0;
    bool started_ = false;
    QString failure_;
    int databases_ = 0;
};

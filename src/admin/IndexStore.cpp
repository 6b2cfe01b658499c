#include "admin/IndexStore.h"

#include "app/ExePath.h"
#include "config/IniFile.h"
#include "model/Errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

namespace {

const QString ProgramMark = QStringLiteral("vybitor5-index");

// Both engines take these statements as they stand.
const QStringList SchemaStatements{
    QStringLiteral("CREATE TABLE IF NOT EXISTS vybitor_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)"),
    QStringLiteral(
        "CREATE TABLE IF NOT EXISTS vybitor_tests ("
        " archive TEXT NOT NULL, path TEXT NOT NULL, size BIGINT NOT NULL, mtime BIGINT NOT NULL,"
        " first_field TEXT NOT NULL, number TEXT NOT NULL, set_number TEXT NOT NULL,"
        " locality TEXT NOT NULL, date_text TEXT NOT NULL, current_text TEXT NOT NULL,"
        " batteries TEXT NOT NULL, battery_count INTEGER NOT NULL, end_reason INTEGER NOT NULL,"
        " battery_type TEXT NOT NULL, file_minutes INTEGER NOT NULL,"
        " set_key TEXT NOT NULL, locality_key TEXT NOT NULL, started BIGINT,"
        " rated_minutes INTEGER NOT NULL, capacity_pct DOUBLE PRECISION, weak TEXT NOT NULL,"
        " figures_problem TEXT NOT NULL, basis TEXT NOT NULL,"
        " PRIMARY KEY (archive, path))"),
    // A battery set's tests in date order, for its row in vybitor_sets.
    QStringLiteral("CREATE INDEX IF NOT EXISTS vybitor_tests_set ON vybitor_tests (set_key, locality_key, started)"),
    // One row per set and caption prefix, kept in step by every write (IndexSets).
    QStringLiteral(
        "CREATE TABLE IF NOT EXISTS vybitor_sets ("
        " set_key TEXT NOT NULL, locality_key TEXT NOT NULL, prefix TEXT NOT NULL, tests INTEGER NOT NULL,"
        " first_started BIGINT NOT NULL, last_started BIGINT NOT NULL, last_capacity DOUBLE PRECISION,"
        " change_pct DOUBLE PRECISION, line_tests INTEGER NOT NULL, line_first BIGINT,"
        " line_intercept DOUBLE PRECISION NOT NULL, line_slope DOUBLE PRECISION NOT NULL, weak TEXT NOT NULL,"
        " PRIMARY KEY (set_key, locality_key, prefix))"),
};

QString NextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("vybitor-index-%1").arg(++counter);
}

QString DefaultIndexFile()
{
    if (ExeFolderWritable())
        return ExeSiblingPath(QStringLiteral(".sqlite"));
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/vybitor5/index.sqlite"));
}

[[noreturn]] void Fail(const QString& what, const QSqlError& error)
{
    throw VybitorError(QStringLiteral("Index: %1: %2").arg(what, error.text()));
}

} // namespace

TIndexLocation ConfiguredIndexLocation(const TIniFile& ini, const QString& overrideFile)
{
    if (!overrideFile.isEmpty())
        return {QString(), overrideFile};
    const QString server = ini.ReadString(SectionIndex, QStringLiteral("Server"), QString());
    const QString file = ini.ReadString(SectionIndex, QStringLiteral("Soubor"), QString());
    return {server, file.isEmpty() ? DefaultIndexFile() : file};
}

QVariant SqlText(const QString& text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

void IndexExec(QSqlQuery& query)
{
    if (!query.exec())
        Fail(query.lastQuery().section(QLatin1Char(' '), 0, 2), query.lastError());
}

void IndexExec(QSqlDatabase& db, const QString& statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        Fail(statement.section(QLatin1Char(' '), 0, 2), query.lastError());
}

TIndexStore::TIndexStore(const TIndexLocation& location) : connection_(NextConnectionName())
{
    if (location.Server.isEmpty())
        OpenSqlite(location.File);
    else
        OpenServer(location.Server);
}

TIndexStore::~TIndexStore()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

void TIndexStore::OpenSqlite(const QString& file)
{
    if (QFileInfo(file).isDir())
        throw VybitorError(QStringLiteral("Index: %1 is a folder, not an index file").arg(file));
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder))
        throw VybitorError(QStringLiteral("Index: cannot create the folder %1").arg(folder));
    for (int attempt = 0; attempt < 2; ++attempt) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        if (!db_.isValid())
            throw VybitorError(QStringLiteral("Index: the SQLite driver of Qt is missing (package libqt6sql6-sqlite)"));
        db_.setDatabaseName(file);
        // Another process updating the same index holds the lock for one batch at most.
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=60000"));
        if (db_.open() && EnsureSchema())
            return;
        if (attempt == 1 || !QFileInfo::exists(file))
            Fail(file, db_.lastError());
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
        const QString stamped = file + QStringLiteral(".damaged-")
                                + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QString aside = stamped;
        for (int n = 2; QFileInfo::exists(aside); ++n) // a second one within the same second
            aside = stamped + QStringLiteral("-%1").arg(n);
        if (!QFile::rename(file, aside))
            throw VybitorError(QStringLiteral("Index: %1 is damaged and cannot be renamed aside").arg(file));
        notice_ = QStringLiteral("Index %1 was damaged or not an index; it was renamed to %2 and is built anew.")
                      .arg(file, aside);
    }
}

void TIndexStore::OpenServer(const QString& conninfo)
{
    onServer_ = true;
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection_);
    if (!db_.isValid())
        throw VybitorError(QStringLiteral("Index: the PostgreSQL driver of Qt is missing (package libqt6sql6-psql)"));
    // The driver hands its options to libpq as they stand (host, port, dbname, user; the
    // password from .pgpass or the environment, as libpq finds it).
    db_.setConnectOptions(conninfo);
    if (!db_.open())
        Fail(QStringLiteral("server"), db_.lastError());
    if (!EnsureSchema())
        throw VybitorError(QStringLiteral("Index: the server's vybitor_meta table is not an index of this program"));
}

bool TIndexStore::EnsureSchema()
{
    // A file that is not a database fails its first read.
    if (!onServer_ && !QSqlQuery(db_).exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return false;
    const QStringList tables = db_.tables();
    if (tables.contains(QStringLiteral("vybitor_meta"))) {
        if (Meta(QStringLiteral("program")) != ProgramMark)
            return false;
        if (Meta(QStringLiteral("schema")).toInt() == IndexSchemaVersion)
            return true;
        // An older (or newer) index is a cache like any other: built again.
        Begin();
        IndexExec(db_, QStringLiteral("DROP TABLE IF EXISTS vybitor_sets"));
        IndexExec(db_, QStringLiteral("DROP TABLE IF EXISTS vybitor_tests"));
        IndexExec(db_, QStringLiteral("DROP TABLE IF EXISTS vybitor_meta"));
        CreateSchema();
        Commit();
        return true;
    }
    // An empty database becomes ours; one with other tables is someone else's.
    if (!onServer_ && !tables.isEmpty())
        return false;
    Begin();
    CreateSchema();
    Commit();
    return true;
}

void TIndexStore::CreateSchema()
{
    // Two programs creating the server's tables at once would collide in its catalogue.
    if (onServer_)
        IndexExec(db_, QStringLiteral("SELECT pg_advisory_xact_lock(54150026)"));
    for (const QString& statement : SchemaStatements)
        IndexExec(db_, statement);
    if (Meta(QStringLiteral("program")).isEmpty()) {
        SetMeta(QStringLiteral("program"), ProgramMark);
        SetMeta(QStringLiteral("schema"), QString::number(IndexSchemaVersion));
    }
}

void TIndexStore::Begin()
{
    IndexExec(db_, onServer_ ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

void TIndexStore::Commit()
{
    IndexExec(db_, QStringLiteral("COMMIT"));
}

void TIndexStore::Rollback()
{
    QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
}

QString TIndexStore::Meta(const QString& key) const
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT value FROM vybitor_meta WHERE key = ?"));
    query.addBindValue(key);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

void TIndexStore::SetMeta(const QString& key, const QString& value)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("INSERT INTO vybitor_meta (key, value) VALUES (?, ?)"
                                 " ON CONFLICT (key) DO UPDATE SET value = excluded.value"));
    query.addBindValue(key);
    query.addBindValue(value);
    IndexExec(query);
}

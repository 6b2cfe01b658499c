#pragma once
// The archive index's database: a SQLite file of this installation, or a PostgreSQL
// server a team shares, through one schema and one set of queries. The index is a cache
// of the archive's files: a file that is damaged or not ours is renamed aside and a new
// index built; an older schema is rebuilt.

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

class TIniFile;

inline const QString SectionIndex = QStringLiteral("INDEX");
inline constexpr int IndexSchemaVersion = 2;

// Where the index lives: a libpq connection string (Server) or a SQLite file.
struct TIndexLocation {
    QString Server;
    QString File;
};

// The INI's INDEX keys; without Soubor the file is beside a portable program, else in
// $XDG_DATA_HOME/vybitor5. overrideFile (the CLI's --index) wins over both keys.
TIndexLocation ConfiguredIndexLocation(const TIniFile& ini, const QString& overrideFile = {});

class TIndexStore {
public:
    // Opens or creates the index; throws VybitorError when it cannot be opened or written.
    explicit TIndexStore(const TIndexLocation& location);
    ~TIndexStore();
    TIndexStore(const TIndexStore&) = delete;
    TIndexStore& operator=(const TIndexStore&) = delete;

    QSqlDatabase& Db() { return db_; }
    bool OnServer() const { return onServer_; }
    // What the last open did that the user should know (a damaged file renamed aside).
    const QString& Notice() const { return notice_; }

    // A write transaction; SQLite takes its write lock at once, so two writers wait in
    // turn instead of failing on a lock upgrade.
    void Begin();
    void Commit();
    void Rollback();

    // A stored value of the index's own (which inputs the figures were computed with).
    QString Meta(const QString& key) const;
    void SetMeta(const QString& key, const QString& value);

private:
    void OpenSqlite(const QString& file);
    void OpenServer(const QString& conninfo);
    // Our schema in the current version; false when the database holds something else.
    bool EnsureSchema();
    void CreateSchema();

    QString connection_;
    QSqlDatabase db_;
    bool onServer_ = false;
    QString notice_;
};

// A write transaction that is rolled back unless committed: an error thrown out of it
// leaves the index as it was.
class TIndexTransaction {
public:
    explicit TIndexTransaction(TIndexStore& store) : store_(store) { store_.Begin(); }
    ~TIndexTransaction()
    {
        if (!committed_)
            store_.Rollback();
    }
    TIndexTransaction(const TIndexTransaction&) = delete;
    TIndexTransaction& operator=(const TIndexTransaction&) = delete;
    void Commit()
    {
        store_.Commit();
        committed_ = true;
    }

private:
    TIndexStore& store_;
    bool committed_ = false;
};

// A text as a bound value: Qt binds a null QString as NULL, and NULL = '' is never true.
QVariant SqlText(const QString& text);

// Runs a statement; throws VybitorError naming the index and the engine's error.
void IndexExec(class QSqlQuery& query);
void IndexExec(QSqlDatabase& db, const QString& statement);

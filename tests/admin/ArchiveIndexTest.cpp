// The archive index on its real engines: SQLite files in a temporary folder and a
// PostgreSQL server started for this program.
#include "admin/ArchiveScan.h"
#include "admin/IndexFigures.h"
#include "admin/IndexListing.h"
#include "admin/IndexStore.h"
#include "admin/IndexUpdate.h"
#include "app/ProgramState.h"
#include "support/LocaleScope.h"
#include "support/PostgresServer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Samples = QStringLiteral(VYBITOR_SOURCE_DIR "/samples/archive");
const QString Qualifier = QStringLiteral("Číslo měření");

// The demo archive copied into folder, with its subfolders.
void CopyArchive(const QString& folder)
{
    QDirIterator it(Samples, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = folder + from.mid(Samples.size());
        QDir().mkpath(QFileInfo(to).path());
        ASSERT_TRUE(QFile::copy(from, to));
    }
}

void Append(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(bytes);
}

// The grid's data rows as sorted lines, for comparing two lists.
QStringList Rows(const TArchiveList& list)
{
    QStringList rows;
    for (int r = 1; r <= list.RowsFound(); ++r) {
        QStringList cells;
        for (int c = 0; c < list.Grid.ColCount(); ++c)
            cells << list.Grid.Cell(c, r);
        rows << cells.join(QLatin1Char('|'));
    }
    rows.sort();
    return rows;
}

int RowCount(TIndexStore& store)
{
    QSqlQuery q(store.Db());
    return q.exec(QStringLiteral("SELECT count(*), count(DISTINCT archive || '/' || path) FROM vybitor_tests")) && q.next()
                   && q.value(0) == q.value(1)
               ? q.value(0).toInt()
               : -1;
}

// One archive folder "Archiv" in a temporary folder and an index, on SQLite or the server.
class ArchiveIndex : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        // scripts/install-deps installs the server: a missing one is a fault, not a skip.
        if (GetParam())
            ASSERT_TRUE(TPostgresServer::Shared().Started()) << TPostgresServer::Shared().Failure().toStdString();
        archive_ = dir_.filePath(QStringLiteral("Archiv"));
        CopyArchive(archive_);
        location_ = GetParam() ? TIndexLocation{TPostgresServer::Shared().NewDatabase(), {}}
                               : TIndexLocation{{}, dir_.filePath(QStringLiteral("index.sqlite"))};
        store_ = std::make_unique<TIndexStore>(location_);
    }

    TIndexRun Update(const TIndexProgress& progress = {})
    {
        return UpdateIndex(*store_, Folders(), inputs_, progress);
    }
    std::vector<TArchiveFolder> Folders() const { return {{archive_, QStringLiteral("Y")}}; }

    QTemporaryDir dir_;
    QString archive_;
    TIndexLocation location_;
    TIndexInputs inputs_;
    std::unique_ptr<TIndexStore> store_;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, ArchiveIndex, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "PostgreSQL" : "SQLite"; });

// Only what changed is read again; vanished files are dropped; the list from the index is
// the list a scan of the folders gives, in both locales.
TEST_P(ArchiveIndex, RescanReadsOnlyWhatChangedAndListsAsTheScan)
{
    TIndexRun run = Update();
    EXPECT_EQ(IndexRunSummary(run), QStringLiteral("added 8, changed 0, dropped 0, unreadable 0"));
    EXPECT_EQ(RowCount(*store_), 8);
    EXPECT_EQ(IndexRunSummary(Update()), QStringLiteral("added 0, changed 0, dropped 0, unreadable 0"));

    Append(archive_ + QStringLiteral("/Kolin/B0178.txt"), "\r\n");
    ASSERT_TRUE(QFile::copy(archive_ + QStringLiteral("/B0134.txt"), archive_ + QStringLiteral("/Kolin/Nový ř.txt")));
    ASSERT_TRUE(QFile::remove(archive_ + QStringLiteral("/Jihlava/B0189.txt")));
    EXPECT_EQ(IndexRunSummary(Update()), QStringLiteral("added 1, changed 1, dropped 1, unreadable 0"));
    EXPECT_EQ(RowCount(*store_), 8);

    for (const char* locale : {"cs_CZ", "C"}) {
        LocaleScope scope(locale);
        TArchiveList scanned, listed;
        scanned.ScanFolders(Folders(), QString(), false, Qualifier);
        ListFromIndex(*store_, Folders(), Qualifier, listed);
        EXPECT_EQ(Rows(listed), Rows(scanned)) << locale;
        EXPECT_EQ(listed.RowsFound(), 8);
    }
}

// A folder walked without its subfolders drops only its own files' rows; a folder that
// is not there (a share not mounted) drops nothing; another language's caption lists none.
TEST_P(ArchiveIndex, DropsOnlyUnderWhatWasWalked)
{
    Update();
    ASSERT_TRUE(QFile::remove(archive_ + QStringLiteral("/B0166.txt")));
    const std::vector<TArchiveFolder> flat{{archive_, QStringLiteral("N")}};
    EXPECT_EQ(IndexRunSummary(UpdateIndex(*store_, flat, inputs_)),
              QStringLiteral("added 0, changed 0, dropped 1, unreadable 0"));
    ASSERT_TRUE(QDir(archive_).rename(archive_, archive_ + QStringLiteral("-unmounted")));
    EXPECT_EQ(IndexRunSummary(Update()), QStringLiteral("added 0, changed 0, dropped 0, unreadable 0"));
    EXPECT_EQ(RowCount(*store_), 7);
    TArchiveList list;
    ListFromIndex(*store_, Folders(), QStringLiteral("Measurement number"), list);
    EXPECT_EQ(list.RowsFound(), 0);
}

// An unreadable file is reported and the rest indexed; a file that changes after its
// entry was read is read again at the next run; new figure inputs recompute every test.
TEST_P(ArchiveIndex, UnreadableChangedWhileReadAndNewInputs)
{
    ASSERT_TRUE(QFile::link(dir_.filePath(QStringLiteral("nowhere")), archive_ + QStringLiteral("/gone.txt")));
    const QString changing = archive_ + QStringLiteral("/B0134.txt");
    bool changed = false;
    TIndexRun run = Update([&](qint64, qint64 read) {
        if (read == 1 && !changed) { // the first file read is written: it changes now
            changed = true;
            Append(changing, "\r\n");
            QFile(changing).setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
        }
        return true;
    });
    EXPECT_EQ(run.Added, 8);
    ASSERT_EQ(run.Unreadable, QStringList{archive_ + QStringLiteral("/gone.txt")});
    EXPECT_EQ(Update().Changed, 1);
    inputs_.Health.AcceptanceThreshold = 70;
    EXPECT_EQ(Update().Changed, 8);
}

// A stop keeps what was written; the next run completes the index.
TEST_P(ArchiveIndex, StoppedRunIsCompletedByTheNext)
{
    TIndexRun first = Update([](qint64, qint64 read) { return read < 3; });
    EXPECT_TRUE(first.Stopped);
    EXPECT_EQ(first.Added, 3);
    EXPECT_EQ(RowCount(*store_), 3);
    EXPECT_EQ(Update().Added, 5);
    EXPECT_EQ(RowCount(*store_), 8);
}

// The index is a cache: a damaged file, a database of someone else's and an older schema
// are replaced, the first two renamed aside with a message; the next open finds its own.
TEST(ArchiveIndexFile, DamagedForeignAndOlderIndexesAreRebuilt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("index.sqlite"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    auto aside = [&] { return QDir(dir.path()).entryList({QStringLiteral("index.sqlite.damaged-*")}); };
    {
        TIndexStore store({{}, file});
        EXPECT_TRUE(store.Notice().contains(QStringLiteral("damaged")));
        EXPECT_EQ(aside().size(), 1);
        EXPECT_EQ(store.Meta(QStringLiteral("schema")), QString::number(IndexSchemaVersion));
        store.SetMeta(QStringLiteral("schema"), QStringLiteral("0"));
    }
    {
        TIndexStore store({{}, file});
        EXPECT_TRUE(store.Notice().isEmpty());
        EXPECT_EQ(store.Meta(QStringLiteral("schema")), QString::number(IndexSchemaVersion));
        IndexExec(store.Db(), QStringLiteral("DROP TABLE vybitor_meta"));
        IndexExec(store.Db(), QStringLiteral("CREATE TABLE accounts (id INTEGER)"));
    }
    {
        TIndexStore store({{}, file});
        EXPECT_FALSE(store.Notice().isEmpty());
        EXPECT_EQ(RowCount(store), 0);
    }
    EXPECT_EQ(aside().size(), 2);
    EXPECT_TRUE(TIndexStore({{}, file}).Notice().isEmpty());
}

// The archive index on its real engines: SQLite files in a temporary folder and a
// PostgreSQL server started for this program.
#include "admin/ArchiveFolders.h"
#include "admin/ArchiveScan.h"
#include "admin/FleetTable.h"
#include "admin/IndexFigures.h"
#include "admin/IndexListing.h"
#include "admin/IndexStore.h"
#include "admin/IndexUpdate.h"
#include "app/ProgramState.h"
#include "config/ConfigFile.h"
#include "config/IniFile.h"
#include "model/CodePage.h"
#include "model/Errors.h"
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

// The fleet's rows as lines, for comparing two indexes.
QStringList FleetLines(TIndexStore& store)
{
    TFleetOptions options;
    options.Qualifier = Qualifier;
    options.Today = QDate(2026, 1, 1);
    QStringList lines;
    for (const TFleetRow& r : FleetTable(store, options)) {
        QStringList weak;
        for (const TWeakBattery& w : r.Weak)
            weak << QString::number(w.Battery) + w.Reasons.join(QLatin1Char('+'));
        lines << QStringList{r.Set, r.Locality, QString::number(r.Tests), r.FirstDate.toString(Qt::ISODate),
                             r.LastDate.toString(Qt::ISODate), QString::number(r.LastCapacity.value_or(-1)),
                             QString::number(r.Change.value_or(-999)),
                             r.Forecast ? r.Forecast->toString(Qt::ISODate) : QString(), weak.join(QLatin1Char(',')),
                             r.Due.toString(Qt::ISODate)}
                     .join(QLatin1Char('|'));
    }
    return lines;
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
        if (GetParam()) {
            ASSERT_TRUE(TPostgresServer::Shared().Started()) << TPostgresServer::Shared().Failure().toStdString();
        }
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

// The fleet's row of a set follows every write: a test moved to another set, a test
// deleted; the rows are those a new index of the same files gives.
TEST_P(ArchiveIndex, SetRowsFollowMovedAndDeletedTests)
{
    Update();
    QStringList lines = FleetLines(*store_);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("110V-BAT1|Plzeň, Doubravka|3|2023-05-16|2025-05-20|80.1667|-12.3333|2025-06-09|17")))
        << lines[0].toStdString();

    const QString moved = archive_ + QStringLiteral("/Plzen-Doubravka/2025/B0203.txt");
    QFile f(moved);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    bytes.replace(EncodeAnsi(QStringLiteral("\t110V-BAT1")), EncodeAnsi(QStringLiteral("\t110V-BAT2")));
    f.resize(0);
    f.write(bytes);
    f.close();
    ASSERT_TRUE(QFile::remove(archive_ + QStringLiteral("/Plzen-Doubravka/2023/B0112.txt")));
    ASSERT_TRUE(QFile::remove(archive_ + QStringLiteral("/Kolin/B0178.txt")));
    EXPECT_EQ(IndexRunSummary(Update()), QStringLiteral("added 0, changed 1, dropped 2, unreadable 0"));

    TIndexStore fresh({{}, dir_.filePath(QStringLiteral("fresh.sqlite"))});
    UpdateIndex(fresh, Folders(), inputs_);
    lines = FleetLines(*store_);
    EXPECT_EQ(lines, FleetLines(fresh));
    EXPECT_EQ(lines.size(), 6);
    EXPECT_EQ(lines.filter(QStringLiteral("110V-BAT1|Plzeň, Doubravka|1|2024-")).size(), 1) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral("110V-BAT2|Plzeň, Doubravka|1|2025-")).size(), 1);
    EXPECT_TRUE(lines.filter(QStringLiteral("110V-NC|")).isEmpty());
}

// Two archive folders both called "Archiv" keep their own rows under the names the
// settings give them (unnamed, each walk would drop the other's rows); a name moves with
// its folder when a row above is removed, and another folder chosen in its row drops it.
TEST(ArchiveIndexNames, FoldersOfOneNameKeepTheirRowsUnderTheirSettingsNames)
{
    QTemporaryDir dir;
    const QString north = dir.filePath(QStringLiteral("Sever/Archiv")), south = dir.filePath(QStringLiteral("Jih/Archiv"));
    CopyArchive(north);
    CopyArchive(south);
    ASSERT_TRUE(QFile::remove(south + QStringLiteral("/B0166.txt")));
    const QString ini = dir.filePath(QStringLiteral("v.ini"));
    {
        TIniFile file(ini);
        file.WriteInteger(SectionNastaveni, QStringLiteral("Archiv_count"), 3);
        file.WriteString(SectionNastaveni, QStringLiteral("Arch_path1"), dir.filePath(QStringLiteral("jiný")));
        file.WriteString(SectionNastaveni, QStringLiteral("Arch_path2"), north);
        file.WriteString(SectionNastaveni, QStringLiteral("Arch_name2"), QStringLiteral(" Sever "));
        file.WriteString(SectionNastaveni, QStringLiteral("Arch_sub2"), QStringLiteral("Y"));
        file.WriteString(SectionNastaveni, QStringLiteral("Arch_sub3"), QStringLiteral("Y"));
        file.WriteString(SectionNastaveni, QStringLiteral("Arch_path3"), south);
        file.WriteString(SectionNastaveni, QStringLiteral("Arch_name3"), QStringLiteral("Jih"));
    }
    TSettingsValues settings;
    ReadSettingsValues(TIniFile(ini), settings);
    RemoveArchiveFolder(settings.ArchiveFolders, 0);
    {
        TIniFile file(ini);
        SaveSettingsValues(file, settings);
    }
    ReadSettingsValues(TIniFile(ini), settings);
    const std::vector<TArchiveFolder> folders = ArchiveRunFolders(settings.ArchiveFolders, {}, false);
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0].Name, QStringLiteral("Sever"));
    EXPECT_EQ(folders[1].Name, QStringLiteral("Jih"));

    TIndexStore store({{}, dir.filePath(QStringLiteral("index.sqlite"))});
    EXPECT_EQ(IndexRunSummary(UpdateIndex(store, folders, {})), QStringLiteral("added 15, changed 0, dropped 0, unreadable 0"));
    EXPECT_EQ(IndexRunSummary(UpdateIndex(store, folders, {})), QStringLiteral("added 0, changed 0, dropped 0, unreadable 0"));
    TArchiveList list;
    ListFromIndex(store, folders, Qualifier, list);
    EXPECT_EQ(list.RowsFound(), 15);

    // Without their names the two would share one; told before the index is touched.
    std::vector<TArchiveFolder> unnamed = folders;
    unnamed[0].Name.clear();
    unnamed[1].Name.clear();
    EXPECT_THROW(UpdateIndex(store, unnamed, {}), VybitorError);
    EXPECT_THROW(ListFromIndex(store, unnamed, Qualifier, list), VybitorError);
    EXPECT_EQ(IndexRunSummary(UpdateIndex(store, folders, {})), QStringLiteral("added 0, changed 0, dropped 0, unreadable 0"));

    ChooseArchiveFolder(settings.ArchiveFolders, 1, dir.filePath(QStringLiteral("Západ")));
    EXPECT_TRUE(settings.ArchiveFolders[1].Name.isEmpty());
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

#include "admin/IndexUpdate.h"

#include "admin/ArchiveScan.h"
#include "admin/IndexFigures.h"
#include "admin/IndexSets.h"
#include "admin/IndexStore.h"
#include "app/ProgramState.h" // TArchiveFolder
#include "files/TestTextReader.h"
#include "model/Errors.h"
#include "model/TestRecord.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlQuery>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

QString CleanFolderPath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

// Files written per transaction: a killed run loses at most these, and a second process
// indexing at the same time gets its turn between them.
constexpr int FilesPerCommit = 200;

const QString UpsertStatement = QStringLiteral(
    "INSERT INTO vybitor_tests (archive, path, size, mtime, first_field, number, set_number, locality,"
    " date_text, current_text, batteries, battery_count, end_reason, battery_type, file_minutes,"
    " set_key, locality_key, started, rated_minutes, capacity_pct, weak, figures_problem, basis)"
    " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
    " ON CONFLICT (archive, path) DO UPDATE SET size = excluded.size, mtime = excluded.mtime,"
    " first_field = excluded.first_field, number = excluded.number, set_number = excluded.set_number,"
    " locality = excluded.locality, date_text = excluded.date_text, current_text = excluded.current_text,"
    " batteries = excluded.batteries, battery_count = excluded.battery_count, end_reason = excluded.end_reason,"
    " battery_type = excluded.battery_type, file_minutes = excluded.file_minutes, set_key = excluded.set_key,"
    " locality_key = excluded.locality_key, started = excluded.started, rated_minutes = excluded.rated_minutes,"
    " capacity_pct = excluded.capacity_pct, weak = excluded.weak, figures_problem = excluded.figures_problem,"
    " basis = excluded.basis");

struct TKnownRow {
    qint64 Size = 0, Mtime = 0;
    bool SameBasis = false; // figures computed with the inputs of this run
    bool Seen = false;      // by this run's walk
};

struct TFoundFile {
    QString Path;     // on disk
    QString Relative; // in the index, with '/'
    qint64 Size = 0, Mtime = 0;
    bool Known = false;
};

// A file's size and modification time in milliseconds since the epoch, as stored. On Unix
// straight from stat: QFileInfo gives the time as a local QDateTime, and its time-zone
// lookup per file cost more than the rest of a rescan. A file that cannot be stat'ed gets
// 0 and 0, so it is read and reported.
void SizeAndTime(const QFileInfo& entry, qint64& size, qint64& mtime)
{
#ifdef Q_OS_UNIX
    struct stat meta {};
    if (::stat(QFile::encodeName(entry.filePath()).constData(), &meta) != 0) {
        size = mtime = 0;
        return;
    }
    size = meta.st_size;
    mtime = qint64(meta.st_mtim.tv_sec) * 1000 + meta.st_mtim.tv_nsec / 1000000;
#else
    size = entry.size();
    mtime = entry.lastModified().toMSecsSinceEpoch();
#endif
}

class TIndexWalk {
public:
    TIndexWalk(TIndexStore& store, const TIndexInputs& inputs, const TIndexProgress& progress, TIndexRun& run)
        : store_(store), inputs_(inputs), basis_(IndexInputsBasis(inputs)), progress_(progress), run_(run)
    {
    }

    // False when stopped.
    bool Folder(const TArchiveFolder& folder)
    {
        // A folder that is not there (a share not mounted) is not walked: its rows stay.
        if (!QFileInfo(folder.Path).isDir())
            return true;
        const QString path = CleanFolderPath(folder.Path);
        archive_ = ArchiveKey(folder);
        rootPrefix_ = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
        subfolders_ = folder.Subfolders != QLatin1String("N");
        if (store_.Meta(ArchiveRootKey(archive_)) != path)
            store_.SetMeta(ArchiveRootKey(archive_), path);
        LoadKnown(); // before the walk: a row another process adds meanwhile is never dropped
        blocked_.clear();
        entered_.clear();
        pending_.clear();
        if (!Walk(path, QFileInfo(path).canonicalFilePath()))
            return false;
        if (!WritePending())
            return false;
        DropVanished();
        return true;
    }

private:
    void LoadKnown()
    {
        known_.clear();
        QSqlQuery query(store_.Db());
        query.setForwardOnly(true);
        // The basis compared in the query: fetching 10^5 hashes cost a tenth of a rescan.
        query.prepare(QStringLiteral("SELECT path, size, mtime, CASE WHEN basis = ? THEN 1 ELSE 0 END"
                                     " FROM vybitor_tests WHERE archive = ?"));
        query.addBindValue(basis_);
        query.addBindValue(archive_);
        IndexExec(query);
        while (query.next())
            known_.insert(query.value(0).toString(),
                          {query.value(1).toLongLong(), query.value(2).toLongLong(), query.value(3).toInt() == 1});
    }

    // canonical: the folder's path with every link resolved, so that a link back up the
    // tree is not followed again; only links need the file system to resolve it.
    bool Walk(const QString& path, const QString& canonical)
    {
        if (canonical.isEmpty() || entered_.contains(canonical))
            return true;
        entered_.insert(canonical);
        const QString relative = Relative(path);
        if (!QFileInfo(path).isReadable() || !QFileInfo(path).isExecutable()) {
            run_.Unreadable << path;
            blocked_ << relative;
            return true;
        }
        QDirIterator entries(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (entries.hasNext()) {
            entries.next();
            const QFileInfo entry = entries.fileInfo();
            if (entry.isDir()) {
                const QString inside = entry.isSymLink() ? entry.canonicalFilePath()
                                                         : canonical + QLatin1Char('/') + entry.fileName();
                if (subfolders_ && !Walk(entry.filePath(), inside))
                    return false;
            } else if (entry.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0) {
                Found(entry);
            }
            ++seenCount_;
            if (progress_ && !progress_(seenCount_, readCount_))
                return false;
            if (pending_.size() >= FilesPerCommit && !WritePending())
                return false;
        }
        return true;
    }

    // Every path the walk meets begins with the folder's own path as given to it.
    QString Relative(const QString& path) const
    {
        return path.size() > rootPrefix_.size() ? path.mid(rootPrefix_.size()) : QString();
    }

    void Found(const QFileInfo& entry)
    {
        TFoundFile file{entry.filePath(), Relative(entry.filePath())};
        SizeAndTime(entry, file.Size, file.Mtime);
        const auto known = known_.find(file.Relative);
        if (known != known_.end()) {
            known->Seen = true;
            if (known->Size == file.Size && known->Mtime == file.Mtime && known->SameBasis)
                return;
            file.Known = true;
        }
        pending_.push_back(file);
    }

    // The files found changed or new, read and written in one transaction.
    bool WritePending()
    {
        if (pending_.empty())
            return true;
        TIndexTransaction transaction(store_);
        QSqlQuery upsert(store_.Db());
        upsert.prepare(UpsertStatement);
        TTouchedSets touched(store_);
        bool stopped = false;
        for (const TFoundFile& file : pending_) {
            if (!Write(upsert, touched, file))
                continue;
            ++(file.Known ? run_.Changed : run_.Added);
            ++readCount_;
            if (progress_ && !progress_(seenCount_, readCount_)) {
                stopped = true; // what was read so far is kept
                break;
            }
        }
        touched.Refresh();
        transaction.Commit();
        pending_.clear();
        return !stopped;
    }

    // False when the file could not be read (it is reported, its row stays as it was).
    bool Write(QSqlQuery& upsert, TTouchedSets& touched, const TFoundFile& file)
    {
        QFile in(file.Path);
        if (!in.open(QIODevice::ReadOnly)) {
            run_.Unreadable << file.Path;
            return false;
        }
        // The size and time stored are those seen before reading: a file that changes
        // while it is read differs from its row at the next run and is read again.
        QByteArray bytes = in.readAll();
        if (in.error() != QFileDevice::NoError) {
            run_.Unreadable << file.Path;
            return false;
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const TArchiveHead head = ReadArchiveHead(buffer);
        TTestFigures figures;
        try {
            figures = ComputeTestFigures(*ReadTestText(bytes, file.Path).Record, inputs_);
        } catch (const VybitorError& e) {
            figures.Problem = e.text(); // listed in the archive all the same, as a scan lists it
        }
        const QVariantList values{
            archive_, file.Relative, file.Size, file.Mtime, head.FirstField, head.Number, head.Set,
            head.Locality, head.Date, head.Current, head.Batteries.join(QLatin1Char('\t')),
            figures.BatteryCount, figures.EndReason, figures.BatteryType, figures.FileMinutes,
            figures.Set, figures.Locality, IndexTime(figures.Started),
            figures.RatedMinutes,
            figures.CapacityPct ? QVariant(*figures.CapacityPct) : QVariant(QMetaType::fromType<double>()),
            WeakBatteriesJson(figures.Weak), figures.Problem, basis_};
        // Another process may have written the row since this run loaded it: its set is
        // looked up, not taken from what this run knew.
        touched.AddStored(archive_, file.Relative);
        for (int i = 0; i < values.size(); ++i)
            upsert.bindValue(i, values[i].typeId() == QMetaType::QString ? SqlText(values[i].toString()) : values[i]);
        IndexExec(upsert);
        touched.Add(figures.Set, figures.Locality);
        return true;
    }

    bool Blocked(const QString& relative) const
    {
        for (const QString& prefix : blocked_)
            if (prefix.isEmpty() || relative.startsWith(prefix + QLatin1Char('/')))
                return true;
        return false;
    }

    void DropVanished()
    {
        QStringList gone;
        for (auto it = known_.cbegin(); it != known_.cend(); ++it) {
            const QString& relative = it.key();
            const bool walked = subfolders_ || !relative.contains(QLatin1Char('/'));
            if (walked && !it->Seen && !Blocked(relative))
                gone << relative;
        }
        if (gone.isEmpty())
            return;
        TIndexTransaction transaction(store_);
        QSqlQuery drop(store_.Db());
        drop.prepare(QStringLiteral("DELETE FROM vybitor_tests WHERE archive = ? AND path = ?"));
        TTouchedSets touched(store_);
        for (const QString& relative : gone) {
            touched.AddStored(archive_, relative);
            drop.bindValue(0, archive_);
            drop.bindValue(1, relative);
            IndexExec(drop);
            run_.Dropped += drop.numRowsAffected() > 0 ? 1 : 0;
        }
        touched.Refresh();
        transaction.Commit();
    }

    TIndexStore& store_;
    const TIndexInputs& inputs_;
    const QString basis_;
    const TIndexProgress& progress_;
    TIndexRun& run_;
    QString archive_;
    QString rootPrefix_; // the folder's absolute path with a '/'

    bool subfolders_ = true;
    QHash<QString, TKnownRow> known_;
    QSet<QString> entered_;
    QStringList blocked_;
    std::vector<TFoundFile> pending_;
    qint64 seenCount_ = 0, readCount_ = 0;
};

} // namespace

QString ArchiveKey(const TArchiveFolder& folder)
{
    if (!folder.Name.isEmpty())
        return folder.Name;
    return QFileInfo(CleanFolderPath(folder.Path)).fileName();
}

void RequireDistinctArchiveKeys(const std::vector<TArchiveFolder>& folders)
{
    QHash<QString, QString> folderOf; // name in the index -> the folder that has it
    for (const TArchiveFolder& folder : folders) {
        if (folder.Path.isEmpty())
            continue;
        const QString key = ArchiveKey(folder), path = CleanFolderPath(folder.Path);
        const QString other = folderOf.value(key, path);
        if (other != path)
            throw VybitorError(QStringLiteral("Index: the archive folders %1 and %2 have the same name %3 in the index;"
                                              " give each a name of its own as Arch_name<N> in [NASTAVENI]")
                                   .arg(QDir::toNativeSeparators(other), QDir::toNativeSeparators(path), key));
        folderOf.insert(key, path);
    }
}

QString ArchiveRootKey(const QString& archive)
{
    return QStringLiteral("root:") + archive;
}

TIndexRun UpdateIndex(TIndexStore& store, const std::vector<TArchiveFolder>& folders, const TIndexInputs& inputs,
                      const TIndexProgress& progress)
{
    RequireDistinctArchiveKeys(folders);
    TIndexRun run;
    TIndexWalk walk(store, inputs, progress, run);
    for (const TArchiveFolder& folder : folders) {
        if (folder.Path.isEmpty())
            continue;
        if (!walk.Folder(folder)) {
            run.Stopped = true;
            break;
        }
    }
    return run;
}

QString IndexRunSummary(const TIndexRun& run)
{
    return QStringLiteral("added %1, changed %2, dropped %3, unreadable %4")
        .arg(run.Added).arg(run.Changed).arg(run.Dropped).arg(run.Unreadable.size());
}

#include "admin/IndexListing.h"

#include "admin/ArchiveScan.h"
#include "admin/IndexSets.h"
#include "admin/IndexStore.h"
#include "admin/IndexUpdate.h"
#include "app/ProgramState.h" // TArchiveFolder

#include <QDir>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>

namespace {

bool Walked(const TArchiveFolder& folder, const QString& relative)
{
    return folder.Subfolders != QLatin1String("N") || !relative.contains(QLatin1Char('/'));
}

// The file's folder as the scan writes it: the archive folder, then the subfolders.
QString RowFolder(const QString& root, const QString& relative)
{
    const int slash = relative.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return root;
    const QString sep = root.endsWith(QLatin1Char('/')) || root.endsWith(QDir::separator()) ? QString()
                                                                                            : QString(QDir::separator());
    return root + sep + QDir::toNativeSeparators(relative.left(slash));
}

} // namespace

std::vector<TArchiveFolder> ArchiveRunFolders(const std::vector<TArchiveFolder>& configured,
                                              const QString& lastDirectory, bool lastSubfolders)
{
    std::vector<TArchiveFolder> folders;
    for (const TArchiveFolder& folder : configured)
        if (!folder.Path.isEmpty())
            folders.push_back(folder);
    if (folders.empty() && !lastDirectory.isEmpty())
        folders.push_back({lastDirectory, lastSubfolders ? QStringLiteral("Y") : QStringLiteral("N")});
    return folders;
}

void ListFromIndex(TIndexStore& store, const std::vector<TArchiveFolder>& folders, const QString& qualifier,
                   TArchiveList& list)
{
    RequireDistinctArchiveKeys(folders);
    list.Clear();
    const QString prefix = CaptionPrefix(qualifier);
    // Only a folder configured inside another one can name a file twice.
    const bool overlapping = std::count_if(folders.begin(), folders.end(),
                                           [](const TArchiveFolder& f) { return !f.Path.isEmpty(); }) > 1;
    QSet<QString> listed;
    // Most tests of an archive have the same battery row (Bat1 … Bat24): rows that are alike
    // share one list of cells, split and localized once, which also keeps 10^5 rows small.
    QHash<QString, QStringList> batteryRows;
    QSqlQuery query(store.Db());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT path, first_field, number, set_number, locality, date_text, current_text,"
                                 " batteries FROM vybitor_tests WHERE archive = ? ORDER BY path"));
    for (const TArchiveFolder& folder : folders) {
        if (folder.Path.isEmpty())
            continue;
        query.bindValue(0, ArchiveKey(folder));
        IndexExec(query);
        QString lastSubfolder, rowFolder = folder.Path; // the files directly in it first
        while (query.next()) {
            const QString relative = query.value(0).toString();
            TArchiveHead head;
            head.FirstField = query.value(1).toString();
            if (CaptionPrefix(head.FirstField) != prefix || !Walked(folder, relative))
                continue;
            head.Number = query.value(2).toString();
            head.Set = query.value(3).toString();
            head.Locality = query.value(4).toString();
            head.Date = query.value(5).toString();
            head.Current = query.value(6).toString();
            LocalizeArchiveHead(head);
            const QString batteries = query.value(7).toString();
            auto cells = batteryRows.constFind(batteries);
            if (cells == batteryRows.cend()) {
                if (batteryRows.size() >= 1000) // an archive of all different rows
                    batteryRows.clear();
                QStringList split = batteries.isEmpty() ? QStringList() : batteries.split(QLatin1Char('\t'));
                LocalizeBatteryCells(split);
                cells = batteryRows.insert(batteries, split);
            }
            head.Batteries = *cells;
            // The rows of one folder share its text: 10^5 rows hold a few thousand folders.
            const qsizetype slash = relative.lastIndexOf(QLatin1Char('/'));
            const QStringView subfolder = QStringView(relative).left(std::max<qsizetype>(slash, 0));
            if (subfolder != lastSubfolder) {
                lastSubfolder = subfolder.toString();
                rowFolder = RowFolder(folder.Path, relative);
            }
            const QString name = relative.mid(slash + 1);
            if (overlapping) {
                const QString file = QDir::cleanPath(rowFolder + QLatin1Char('/') + name);
                if (listed.contains(file))
                    continue;
                listed.insert(file);
            }
            list.AddRow(rowFolder, name, head);
        }
    }
}

QStringList SetTestFiles(TIndexStore& store, const std::vector<TArchiveFolder>& folders, const QString& set,
                         const QString& locality)
{
    RequireDistinctArchiveKeys(folders);
    QHash<QString, QString> roots; // archive -> its folder on this PC
    for (const TArchiveFolder& folder : folders)
        if (!folder.Path.isEmpty())
            roots.insert(ArchiveKey(folder), folder.Path);
    QStringList files;
    QSqlQuery query(store.Db());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT archive, path FROM vybitor_tests WHERE set_key = ?"
                                 " AND (locality_key = ? OR ? = '') ORDER BY started, archive, path"));
    query.addBindValue(SqlText(set.trimmed()));
    query.addBindValue(SqlText(locality.trimmed()));
    query.addBindValue(SqlText(locality.trimmed()));
    IndexExec(query);
    while (query.next()) {
        const QString archive = query.value(0).toString();
        if (!roots.contains(archive))
            roots.insert(archive, store.Meta(ArchiveRootKey(archive)));
        const QString root = roots.value(archive);
        if (!root.isEmpty())
            files << QDir(root).filePath(query.value(1).toString());
    }
    return files;
}

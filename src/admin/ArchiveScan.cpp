#include "admin/ArchiveScan.h"

#include "app/ProgramState.h"  // TArchiveFolder
#include "app/UserReport.h"
#include "files/FieldLine.h"
#include "i18n/MessageCatalogue.h"
#include "model/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <numeric>

namespace {

const QStringList FixedTitles{"Cesta", "Jméno", "Měření", "Číslo bat.", "Lokalita", "Datum", "V. proud"};

QStringList ReadFields(QIODevice& in, bool keepSeparators = false)
{
    QStringList fields;
    ReadFieldLine(in, fields, keepSeparators);
    return fields;
}

} // namespace

TArchiveList::TArchiveList() : Grid(2, ArchiveFixedColumns)
{
    for (int c = 0; c < ArchiveFixedColumns; ++c)
        Grid.SetCell(c, 0, FixedTitles[c]);
    Hidden.assign(2, false);
}

void TArchiveList::Clear()
{
    Grid.SetRowCount(2);
    Grid.ClearRow(1);
    Hidden.assign(2, false);
}

bool TArchiveList::ScanFolders(const TProgramState& state, bool lastSubfolders, const TEntryDone& entryDone)
{
    return ScanFolders(state.Settings.ArchiveFolders, state.LastDirectory, lastSubfolders,
                       state.Captions.Lcislo_mereni, entryDone);
}

bool TArchiveList::ScanFolders(const std::vector<TArchiveFolder>& folders, const QString& lastDirectory,
                               bool lastSubfolders, const QString& qualifier, const TEntryDone& entryDone)
{
    BusyCursor busy;
    Clear();
    entered_.clear();
    qualifier_ = qualifier.left(5);
    entryDone_ = entryDone;
    bool any = false;
    for (const TArchiveFolder& folder : folders) {
        if (folder.Path.isEmpty())
            continue;
        any = true;
        if (!ScanArchiveFolder(folder.Path, folder.Subfolders != QLatin1String("N")))
            return false;
    }
    return any || ScanArchiveFolder(lastDirectory, lastSubfolders);
}

int TArchiveList::RowsFound() const
{
    const int rows = Grid.RowCount() - 1;
    return rows == 1 && Grid.Cell(0, 1).isEmpty() ? 0 : rows;
}

bool TArchiveList::ScanArchiveFolder(const QString& path, bool subfolders)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return true;
    const auto before = entered_.constFind(canonical);
    const bool filesListed = before != entered_.cend();
    // Entered with its subfolders: all below is listed, or it lies on the path walked now.
    if (filesListed && (before.value() || !subfolders))
        return true;
    entered_.insert(canonical, subfolders);
    const QString prefix = path.endsWith(QDir::separator()) || path.endsWith(QLatin1Char('/'))
                               ? path : path + QDir::separator();
    const QFileInfoList entries = QDir(path).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            if (subfolders && !ScanArchiveFolder(prefix + entry.fileName(), true))
                return false;
        } else if (!filesListed && entry.suffix().toUpper() == QLatin1String("TXT")) {
            AddFile(path, entry.fileName());
        }
        if (!entryDone_)
            UserReport().Repaint();
        else if (!entryDone_())
            return false;
    }
    return true;
}

TArchiveHead ReadArchiveHead(QIODevice& in)
{
    TArchiveHead head;
    const QStringList line1 = ReadFields(in, true);
    head.FirstField = line1.value(0);
    head.Number = line1.value(1);
    head.Set = line1.value(2);
    head.Locality = ReadFields(in, true).value(1);
    ReadFields(in);
    head.Date = ReadFields(in, true).value(1);
    ReadFields(in);
    head.Current = ReadFields(in, true).value(1);
    for (int skip = 0; skip < 3; ++skip)
        ReadFields(in);
    const QStringList batteries = ReadFields(in, true);
    for (int i = 0; i + 1 < batteries.size() && !batteries[i + 1].isEmpty(); ++i)
        head.Batteries << batteries[i + 1];
    return head;
}

void LocalizeArchiveHead(TArchiveHead& head)
{
    // Locality and date are texts: their dots and commas stay under any caption.
    QStringList line1{head.FirstField, head.Number, head.Set};
    AdjustDecimalSeparators(line1);
    head.Number = line1[1];
    head.Set = line1[2];
    QStringList current{QString(), head.Current};
    AdjustDecimalSeparators(current);
    head.Current = current[1];
    LocalizeBatteryCells(head.Batteries);
}

void LocalizeBatteryCells(QStringList& batteries)
{
    batteries.prepend(QString());
    AdjustDecimalSeparators(batteries);
    batteries.removeFirst();
}

void TArchiveList::AddFile(const QString& folder, const QString& name)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VybitorError(QStringLiteral("Unable to read %1").arg(path));
    TArchiveHead head = ReadArchiveHead(file);
    if (head.FirstField.left(5) != qualifier_)
        return;
    LocalizeArchiveHead(head);
    AddRow(folder, name, head);
}

void TArchiveList::AddRow(const QString& folder, const QString& name, const TArchiveHead& head)
{
    int row = Grid.RowCount() - 1;
    if (!Grid.Cell(0, row).isEmpty()) {
        Grid.SetRowCount(++row + 1);
        Hidden.push_back(false);
    }
    Grid.SetCell(0, row, folder);
    Grid.SetCell(1, row, name);
    Grid.SetCell(2, row, head.Number);
    Grid.SetCell(3, row, head.Set);
    Grid.SetCell(4, row, head.Locality);
    Grid.SetCell(5, row, head.Date);
    Grid.SetCell(6, row, head.Current);
    WidenForBatteries(int(head.Batteries.size()));
    for (int i = 0; i < head.Batteries.size(); ++i)
        Grid.SetCell(ArchiveFixedColumns + i, row, head.Batteries[i]);
}

void TArchiveList::WidenForBatteries(int count)
{
    // In one step: each column added moves every cell of the grid, and a 108-battery
    // string after 10^5 rows of 24 would otherwise move them 84 times.
    const int before = Grid.ColCount();
    if (before >= ArchiveFixedColumns + count)
        return;
    Grid.SetColCount(ArchiveFixedColumns + count);
    for (int column = before; column < ArchiveFixedColumns + count; ++column)
        Grid.SetCell(column, 0, MessageText("Tbat") + QStringLiteral(".%1").arg(column - ArchiveFixedColumns + 1));
}

void TArchiveList::FilterByBattery(const QString& text)
{
    BusyCursor busy;
    const int last = std::min(Grid.ColCount(), ArchiveFixedColumns + ArchiveFilteredBatteries);
    for (int row = Grid.RowCount() - 1; row >= 1; --row) {
        bool keep = false;
        for (int c = ArchiveFixedColumns; c < last && !keep; ++c)
            keep = Grid.Cell(c, row) == text;
        if (!keep)
            Hidden[row] = true;
    }
}

void TArchiveList::ShowAll()
{
    std::fill(Hidden.begin(), Hidden.end(), false);
}

void TArchiveList::SortByColumn(int column, bool ascending)
{
    const int rows = Grid.RowCount() - 1;
    std::vector<int> order(rows);
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int cmp = QString::compare(Grid.Cell(column, a), Grid.Cell(column, b), Qt::CaseSensitive);
        return ascending ? cmp < 0 : cmp > 0;
    });
    TTextGrid sorted = Grid;
    std::vector<bool> hidden = Hidden;
    for (int i = 0; i < rows; ++i) {
        for (int c = 0; c < Grid.ColCount(); ++c)
            sorted.SetCell(c, i + 1, Grid.Cell(c, order[i]));
        hidden[i + 1] = Hidden[order[i]];
    }
    Grid = sorted;
    Hidden = hidden;
}

QString TArchiveList::RowPath(int row) const
{
    const QString folder = Grid.Cell(0, row);
    const QString sep = folder.endsWith(QDir::separator()) || folder.endsWith(QLatin1Char('/'))
                            ? QString() : QString(QDir::separator());
    return folder + sep + Grid.Cell(1, row);
}

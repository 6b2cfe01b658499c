#pragma once
// The archive list: one row per test text file found in the archive folders, with the
// key header values and the first row of the test's battery table.

#include "model/TextGrid.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct TArchiveFolder;
class TProgramState;

inline constexpr int ArchiveFixedColumns = 7;

// The header values of a test text file that the archive grid shows.
struct TArchiveHead {
    QString FirstField, Number, Set, Locality, Date, Current;
    QStringList Batteries; // the first battery-table row after its caption, to the first empty cell
};
// Reads the head as the file holds it: no field adjusted.
TArchiveHead ReadArchiveHead(class QIODevice& in);
// The locale's decimal separator put into the number fields, as the grid shows them.
void LocalizeArchiveHead(TArchiveHead& head);
// The same for a battery row alone.
void LocalizeBatteryCells(QStringList& batteries);
inline constexpr int ArchiveFilteredBatteries = 12;

class TArchiveList {
public:
    TArchiveList();

    TTextGrid Grid;           // row 0 holds the titles
    std::vector<bool> Hidden; // per grid row, hidden by the filter

    // Empties the list: one empty data row, nothing hidden. Columns stay.
    void Clear();
    // Called after every folder entry, so that a window can show the rows found so far and
    // take its messages; false stops the scan, the rows found so far stay. Without one the
    // scan lets the windows repaint.
    using TEntryDone = std::function<bool()>;

    // "Načti soubory" over the settings' archive folders (subfolders unless "N"), or over
    // the last directory (its subfolders with lastSubfolders) when no folder has a path.
    // Only files whose first field begins like the program's measurement-number caption
    // qualify. Returns false when entryDone stopped it.
    bool ScanFolders(const TProgramState& state, bool lastSubfolders, const TEntryDone& entryDone = {});
    bool ScanFolders(const std::vector<TArchiveFolder>& folders, const QString& lastDirectory,
                     bool lastSubfolders, const QString& qualifier, const TEntryDone& entryDone = {});
    // One test's row below the others (the list's empty row first).
    void AddRow(const QString& folder, const QString& name, const TArchiveHead& head);
    // Data rows that hold a test (the empty row of an empty list is none).
    int RowsFound() const;
    // Hides the rows none of whose first twelve battery cells equals text.
    void FilterByBattery(const QString& text);
    void ShowAll();
    // Text order, case-sensitive; hidden marks move with their rows.
    void SortByColumn(int column, bool ascending);
    // Folder and file name of a data row joined into a path.
    QString RowPath(int row) const;

private:
    // Depth first. Returns false when the scan was stopped.
    bool ScanArchiveFolder(const QString& path, bool subfolders);
    void AddFile(const QString& folder, const QString& name);
    // Columns for a row of count batteries, with their titles.
    void WidenForBatteries(int count);

    // Folders entered during one scan (canonical path) and whether their subfolders were
    // searched: nested or linked folders list every file once, and a link back up the tree
    // (a folder entered with its subfolders) is not followed again.
    QHash<QString, bool> entered_;
    QString qualifier_;
    TEntryDone entryDone_;
};

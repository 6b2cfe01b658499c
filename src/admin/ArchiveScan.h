#pragma once
// The archive list: one row per test text file found in the archive folders, with the
// key header values and the first row of the test's battery table.

#include "model/TextGrid.h"

#include <QSet>
#include <QString>
#include <vector>

struct TArchiveFolder;

inline constexpr int ArchiveFixedColumns = 7;
inline constexpr int ArchiveFilteredBatteries = 12;

class TArchiveList {
public:
    TArchiveList();

    TTextGrid Grid;           // row 0 holds the titles
    std::vector<bool> Hidden; // per grid row, hidden by the filter

    // Empties the list: one empty data row, nothing hidden. Columns stay.
    void Clear();
    // "Načti soubory": every configured folder with a path (subfolders unless "N"), or
    // lastDirectory with lastSubfolders when none has one. qualifier: the caption whose
    // first five characters a file's first field must begin with.
    void ScanFolders(const std::vector<TArchiveFolder>& folders, const QString& lastDirectory,
                     bool lastSubfolders, const QString& qualifier);
    // Depth first; a folder reached twice (through a link) is walked once.
    void ScanArchiveFolder(const QString& path, bool subfolders, const QString& qualifier);
    // Hides the rows none of whose first twelve battery cells equals text.
    void FilterByBattery(const QString& text);
    void ShowAll();
    // Text order, case-sensitive; hidden marks move with their rows.
    void SortByColumn(int column, bool ascending);
    // Folder and file name of a data row joined into a path.
    QString RowPath(int row) const;

private:
    void AddFile(const QString& folder, const QString& name, const QString& qualifier);
    void SetBatteryCell(int index, const QString& text);

    QSet<QString> walked_;
};

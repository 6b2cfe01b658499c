#pragma once
// The settings window's archive folder grid as rows of TArchiveFolder: always one empty
// row at the bottom for the next folder.

#include <vector>

class QString;
struct TArchiveFolder;

// Appends the empty bottom row unless the last row is already without a path.
void KeepEmptyFolderRow(std::vector<TArchiveFolder>& folders);
// A folder chosen with the browse button of row index: a choice in the bottom row adds a
// new empty row beneath it. The "Podadresáře" value is left as it was; another folder
// drops the name the index knew the old one by.
void ChooseArchiveFolder(std::vector<TArchiveFolder>& folders, int index, const QString& path);
// The user removes row index: the rows below move up; the empty bottom row stays.
void RemoveArchiveFolder(std::vector<TArchiveFolder>& folders, int index);
// True when no row holds a path (the archive then searches the last directory).
bool NoArchiveFolder(const std::vector<TArchiveFolder>& folders);

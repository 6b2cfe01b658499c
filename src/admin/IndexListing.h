#pragma once
// The archive list and the battery sets' tests as the index holds them.

#include <QString>
#include <QStringList>
#include <vector>

class TArchiveList;
class TIndexStore;
struct TArchiveFolder;

// The folders an archive run covers: the configured ones, else the last directory
// (its subfolders with lastSubfolders), as "Načti soubory" searches them.
std::vector<TArchiveFolder> ArchiveRunFolders(const std::vector<TArchiveFolder>& configured,
                                              const QString& lastDirectory, bool lastSubfolders);

// The list's rows from the index: the folders' tests whose first field begins like the
// qualifier (the measurement-number caption in force), numbers in the locale's notation.
void ListFromIndex(TIndexStore& store, const std::vector<TArchiveFolder>& folders, const QString& qualifier,
                   TArchiveList& list);

// The files of one battery set's tests (trimmed texts, exact match), oldest first; an empty
// locality matches every locality. An archive is found on this PC under the folder of that
// name, else where it was last indexed from.
QStringList SetTestFiles(TIndexStore& store, const std::vector<TArchiveFolder>& folders, const QString& set,
                         const QString& locality);

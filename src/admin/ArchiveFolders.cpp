#include "admin/ArchiveFolders.h"

#include "app/ProgramState.h"

#include <algorithm>

void KeepEmptyFolderRow(std::vector<TArchiveFolder>& folders)
{
    if (folders.empty() || !folders.back().Path.isEmpty())
        folders.push_back({});
}

void ChooseArchiveFolder(std::vector<TArchiveFolder>& folders, int index, const QString& path)
{
    if (index < 0 || index >= int(folders.size()))
        return;
    if (folders[index].Path != path)
        folders[index].Name.clear(); // the name was the other folder's
    folders[index].Path = path;
    if (index == int(folders.size()) - 1)
        folders.push_back({});
}

void RemoveArchiveFolder(std::vector<TArchiveFolder>& folders, int index)
{
    if (index < 0 || index >= int(folders.size()))
        return;
    folders.erase(folders.begin() + index);
    KeepEmptyFolderRow(folders);
}

bool NoArchiveFolder(const std::vector<TArchiveFolder>& folders)
{
    return std::all_of(folders.begin(), folders.end(), [](const TArchiveFolder& f) { return f.Path.isEmpty(); });
}

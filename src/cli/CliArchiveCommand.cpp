// archive: the archive window's "Načti soubory" and "Filtruj", its grid printed.
#include "admin/ArchiveScan.h"
#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliTable.h"
#include "model/Errors.h"

#include <QFileInfo>

namespace {
// The folders named on the command line, else the configured ones with their own choice.
std::vector<TArchiveFolder> FoldersToScan(const TCliArguments& args, const TProgramState& state)
{
    std::vector<TArchiveFolder> folders;
    for (const QString& path : args.Operands) {
        // A configured folder that is gone adds no rows, as in the window; a typed one is a mistake.
        if (!QFileInfo(path).isDir())
            throw VybitorError(QStringLiteral("%1: no such folder").arg(path));
        folders.push_back({path, QStringLiteral("Y")});
    }
    if (folders.empty())
        for (const TArchiveFolder& folder : state.Settings.ArchiveFolders)
            if (!folder.Path.isEmpty())
                folders.push_back(folder);
    if (args.NoSubfolders)
        for (TArchiveFolder& folder : folders)
            folder.Subfolders = QStringLiteral("N");
    return folders;
}
} // namespace

void RunArchive(const TCliArguments& args)
{
    const TProgramState& state = TProgramState::Instance();
    const std::vector<TArchiveFolder> folders = FoldersToScan(args, state);
    // Unlike the window, no folder at all lists nothing rather than the last directory.
    if (folders.empty())
        return;
    TArchiveList list;
    list.ScanFolders(folders, QString(), false, state.Captions.Lcislo_mereni);
    if (args.BatteryFilter)
        list.FilterByBattery(*args.BatteryFilter);
    QList<QStringList> rows;
    for (int row = 1; row <= list.RowsFound(); ++row)
        if (!list.Hidden[size_t(row)])
            rows << GridRowTexts(list.Grid, row);
    PrintRows(GridRowTexts(list.Grid, 0), rows, args.Format);
}

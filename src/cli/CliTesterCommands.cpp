// list, download, delete and presets: the directory window's and the locality window's
// flows on the tester, without the windows.
#include "admin/PresetEditor.h"
#include "admin/PresetTransfer.h"
#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliBatteries.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/CliReport.h"
#include "cli/CliSession.h"
#include "cli/CliTable.h"
#include "evaluation/LoadChain.h"
#include "model/Errors.h"
#include "model/WholeFileWrite.h"
#include "tester/DirectoryFlows.h"
#include "tester/TestDirectory.h"
#include "tester/TesterLink.h"

#include <algorithm>

namespace {
// The settings once, then the list, as "Načti test" does; hidden tests only when asked.
TTestDirectory& ListedTests(const TCliArguments& args)
{
    OpenTesterLink(args);
    TTestDirectory& directory = TTestDirectory::Instance();
    directory.ShowHidden = args.Hidden;
    ListTesterDirectory(TTesterLink::Instance(), directory);
    Require(TProgramState::Instance().SettingsRead, QStringLiteral("The tester's settings could not be read."));
    return directory;
}

// The grid row that lists the file name, 0 when none does.
int RowOfName(const TTestDirectory& directory, const QString& name)
{
    for (int row = 1; row <= directory.EntryCount; ++row)
        if (directory.FileName(row).compare(name, Qt::CaseInsensitive) == 0)
            return row;
    return 0;
}

int ListedRow(const TTestDirectory& directory, const QString& name)
{
    const int row = RowOfName(directory, name);
    if (row == 0)
        throw VybitorError(QStringLiteral("%1 is not in the tester's list").arg(name));
    return row;
}

// Every name is looked up before anything more is sent to the tester.
QList<int> ListedRows(const TTestDirectory& directory, const QStringList& names)
{
    QList<int> rows;
    for (const QString& name : names)
        rows << ListedRow(directory, name);
    return rows;
}

} // namespace

void RunList(const TCliArguments& args)
{
    const TTestDirectory& directory = ListedTests(args);
    // The three untitled columns get names a script can use.
    QStringList titles = GridRowTexts(directory.Grid, 0);
    titles[DirDownloaded] = QStringLiteral("mark");
    titles[DirFileName] = QStringLiteral("file");
    titles[DirEntryIndex] = QStringLiteral("index");
    QList<QStringList> rows;
    for (int row = 1; row <= directory.EntryCount; ++row)
        rows << GridRowTexts(directory.Grid, row);
    PrintRows(titles, rows, args.Format);
}

void RunDownload(const TCliArguments& args)
{
    TTestDirectory& directory = ListedTests(args);
    Require(!CliReportFailed(), {});
    const int row = ListedRow(directory, args.Operands[0]);
    const QList<int> appendRows = ListedRows(directory, args.Appends);
    // The listing tells the battery count: a battery the test lacks fetches nothing.
    const QString beyond = BatteryPositionsBeyond(args.Batteries, directory.Grid.Cell(DirBatteryCount, row).toInt());
    if (!beyond.isEmpty())
        throw TCliUsageError{beyond};
    TProgramState& state = TProgramState::Instance();
    TTesterLink& link = TTesterLink::Instance();

    PrepareTesterLoad(state);
    directory.CurrentRow = row;
    QByteArray received;
    const bool loaded = DownloadCurrentTest(link, directory, false, &received);
    // The raw bytes are kept whenever the whole file arrived, also when they do not decode.
    if (!args.Raw.isEmpty() && !received.isEmpty())
        WriteWholeFile(args.Raw, received);
    Require(loaded, QStringLiteral("The tester sent an empty file for %1.").arg(args.Operands[0]));
    ShowLoadedTest(state);
    for (int i = 0; i < appendRows.size(); ++i) {
        directory.CurrentRow = appendRows[i];
        Require(DownloadCurrentTest(link, directory, true),
                QStringLiteral("The tester sent an empty file for %1.").arg(args.Appends[i]));
        ShowLoadedTest(state);
    }
    WriteTestOutput(args);
}

void RunDelete(const TCliArguments& args)
{
    TTestDirectory& directory = ListedTests(args);
    Require(!CliReportFailed(), {});
    TTesterLink& link = TTesterLink::Instance();
    if (args.Hidden) {
        if (directory.EntryCount > 0)
            DeleteHiddenTests(link, directory);
        return;
    }
    QList<int> rows = ListedRows(directory, args.Operands);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    directory.Select(rows, rows.first());
    DeleteSelectedTests(link, directory);
    // The tester's deletion is not confirmed by its replies; the fresh list tells.
    Require(!CliReportFailed(), {});
    for (const QString& name : args.Operands)
        if (RowOfName(directory, name) != 0)
            throw VybitorError(QStringLiteral("%1 is still on the tester after the deletion").arg(name));
}

void RunPresetsPull(const TCliArguments& args)
{
    OpenTesterLink(args);
    TPresetEditor editor(PresetTable());
    LoadPresetsFromTester(TTesterLink::Instance(), editor);
    // The table goes to the file as the tester sent it, not through the edit fields.
    if (editor.Table().PresetCount == 0) {
        UserReport().Message(QStringLiteral("Není co ukládat"));
        return;
    }
    editor.SaveFile(args.Operands[0]);
}

// The locality window's "Pošli" with the file's table.
void RunPresetsPush(const TCliArguments& args)
{
    OpenTesterLink(args);
    TPresetEditor editor(PresetTable());
    editor.OpenFile(args.Operands[0]);
    Require(SendPresetsToTester(TTesterLink::Instance(), editor.Table()), {});
}

// list, download, delete and presets: the directory window's and the locality window's
// flows on the tester, without the windows.
#include "admin/PresetEditor.h"
#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/CliReport.h"
#include "cli/CliSession.h"
#include "evaluation/LoadChain.h"
#include "model/Errors.h"
#include "model/WholeFileWrite.h"
#include "tester/DirectoryFlows.h"
#include "tester/TestDirectory.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"

#include <algorithm>
#include <cstdio>

namespace {
const QString PresetPath = QStringLiteral("/config/lokality.lkt");

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

// The payload of a preset reply; a refusal is the locality window's "Error".
QByteArray PresetReply(TTesterLink& link, char subCommand, const QByteArray& payload)
{
    Require(link.Send('N', subCommand, 0, payload) == 0, QStringLiteral("Error"));
    return link.Frame.PayloadBytes();
}

void PullPresets(TTesterLink& link, const QString& path)
{
    TPresetEditor editor(PresetTable());
    editor.LoadFromTester(PresetReply(link, 'L', {}),
                          [&link](int i) { return PresetReply(link, 'l', QByteArray(1, char(i))); });
    // The table goes to the file as the tester sent it, not through the edit fields.
    if (editor.Table().PresetCount == 0) {
        UserReport().Message(QStringLiteral("Není co ukládat"));
        return;
    }
    editor.Table().Version = 1;
    editor.SaveFile(path);
}

void PushPresets(TTesterLink& link, const QString& path)
{
    TPresetEditor editor(PresetTable());
    editor.OpenFile(path);
    editor.Table().Version = 1;
    Require(WriteTesterFile(link, PresetPath, EncodePresetFile(editor.Table())), QStringLiteral("Fault"));
    Require(link.Send('U', 'l') == 0, QStringLiteral("Error"));
}
} // namespace

void RunList(const TCliArguments& args)
{
    const TTestDirectory& directory = ListedTests(args);
    for (int row = 1; row <= directory.EntryCount; ++row) {
        QStringList cells;
        for (int col = 0; col < DirColumnCount; ++col)
            cells << directory.Grid.Cell(col, row);
        std::fputs((cells.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8().constData(), stdout);
    }
    std::fflush(stdout);
}

void RunDownload(const TCliArguments& args)
{
    TTestDirectory& directory = ListedTests(args);
    Require(!CliReportFailed(), {});
    const int row = ListedRow(directory, args.Operands[0]);
    const QList<int> appendRows = ListedRows(directory, args.Appends);
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
    WriteTestOutput(args.Output);
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

void RunPresets(const TCliArguments& args)
{
    OpenTesterLink(args);
    if (args.Operands[0] == QLatin1String("pull"))
        PullPresets(TTesterLink::Instance(), args.Operands[1]);
    else
        PushPresets(TTesterLink::Instance(), args.Operands[1]);
}

#include "tester/DirectoryFlows.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/ShowTest.h"
#include "i18n/MessageCatalogue.h"
#include "model/DataVersion.h"
#include "tester/TestDirectory.h"
#include "tester/TestDownload.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"

#include <optional>

void ListTesterDirectory(TTesterLink& link, TTestDirectory& directory)
{
    TProgramState& state = TProgramState::Instance();
    ReadTesterSettings(link);
    if (!state.SettingsRead || state.DirectoryListed)
        return;
    BusyCursor busy;
    directory.LoadEnabled = directory.DeleteEnabled = false;
    directory.Reset();
    link.Send('T', 'c');
    const uint8_t parameter = directory.ShowHidden ? 2 : 1;
    for (;;) {
        const uint8_t status = link.Send('T', 'T', parameter);
        if (status != 1) {
            if (status == 11)
                UserReport().Message(QStringLiteral("Error"));
            break;
        }
        TDirectoryEntry entry;
        if (!DecodeDirectoryEntry(reinterpret_cast<const char*>(link.Frame.Payload), link.Frame.Length(), entry)) {
            UserReport().Message(QStringLiteral("Error"));
            break;
        }
        directory.AddEntry(entry, state.Settings.DataVersion == DataVersion101);
        UserReport().Repaint();
    }
    directory.FinishListing();
    if (directory.EntryCount > 0)
        state.DirectoryListed = true;
}

void ReloadTesterDirectory(TTesterLink& link, TTestDirectory& directory)
{
    BusyCursor busy;
    TProgramState::Instance().DirectoryListed = false;
    directory.Reset();
    ListTesterDirectory(link, directory);
}

void DeleteSelectedTests(TTesterLink& link, TTestDirectory& directory)
{
    if (!TProgramState::Instance().SettingsRead)
        return;
    const QList<int> rows = directory.SelectedRows;
    if (!UserReport().Question(MessageText(QStringLiteral("Hl_smazat")) + QStringLiteral(" #") + QString::number(rows.size())))
        return;
    BusyCursor busy;
    for (int row : rows) {
        const quint16 index = quint16(directory.EntryIndex(row));
        QByteArray payload(2, '\0');
        payload[0] = char(index & 0xFF);
        payload[1] = char(index >> 8);
        link.Send('T', 'O', 0, payload);
        if (link.Unreachable())
            return;
    }
    link.Send('T', 'D');
    if (!link.Unreachable() && WaitForDeletion(link))
        ReloadTesterDirectory(link, directory);
}

void DeleteHiddenTests(TTesterLink& link, TTestDirectory& directory)
{
    if (!UserReport().Question(MessageText(QStringLiteral("Hl_smazat"))))
        return;
    BusyCursor busy;
    link.Send('T', 'S');
    if (link.Unreachable())
        return;
    link.Send('T', 'D');
    if (!link.Unreachable() && WaitForDeletion(link))
        ReloadTesterDirectory(link, directory);
}

TLoadEntries PrepareTesterLoad(TProgramState& state)
{
    TLoadEntries before{state.BatteryGrid, state.Texts.Caption, state.Texts.Hpoznamka};
    ClearBatteryCells(state);
    state.Texts.Caption = QStringLiteral("Vybitor5 - 1.00");
    state.Texts.Hpoznamka.clear();
    emit state.TextsChanged();
    return before;
}

bool LoadTesterTest(TTesterLink& link, TTestDirectory& directory, TProgramState& state, bool append,
                    const std::function<void()>& started)
{
    std::optional<TLoadEntries> before;
    if (!append) {
        before = PrepareTesterLoad(state);
        if (started)
            started();
    }
    bool loaded = false;
    const auto finish = [&] {
        if (!loaded && before) {
            state.BatteryGrid = before->BatteryGrid;
            state.Texts.Caption = before->Caption;
            state.Texts.Hpoznamka = before->Note;
            emit state.BatteryGridChanged();
            emit state.TextsChanged();
        }
        const TTestRecord& record = state.Record();
        directory.AppendEnabled = record.RowCount > 0 || record.RunInfo.BatteryCount > 0;
        directory.Notify();
    };
    try {
        loaded = DownloadCurrentTest(link, directory, append);
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return loaded;
}

bool DownloadCurrentTest(TTesterLink& link, TTestDirectory& directory, bool append, QByteArray* received)
{
    const int row = directory.CurrentRow;
    if (row < 1 || row > directory.EntryCount)
        return false;
    BusyCursor busy;
    const QString path = TesterTestPath(directory.FileName(row));
    bool refused = false;
    const QByteArray file = ReadTesterFile(link, path, &refused);
    if (received)
        *received = refused ? QByteArray() : file;
    if (refused || file.isEmpty())
        return false;
    TProgramState& state = TProgramState::Instance();
    TTestRecord& record = state.Record();
    if (!(append ? AppendDownloadedTest(file, record) : LoadDownloadedTest(file, record)))
        return false;
    if (!append) // an appended test adds rows; the header stays the first test's
        ApplyDataVersionPower(record.Header, state.Settings.DataVersion == DataVersion101);
    if (append || !directory.IsDownloaded(row)) {
        MarkTestRead(link, path);
        directory.SetDownloaded(row);
    }
    return true;
}

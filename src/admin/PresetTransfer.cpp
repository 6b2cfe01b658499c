#include "admin/PresetTransfer.h"

#include "admin/PresetEditor.h"
#include "app/UserReport.h"
#include "tester/TesterCommands.h"
#include "tester/TesterLink.h"

bool SendPresetsToTester(TTesterLink& link, const TPresetTable& table)
{
    BusyCursor busy;
    const bool written = WriteTesterFile(link, TesterPresetPath, EncodePresetFile(table));
    if (link.Send('U', 'l') != 0) {
        UserReport().Message(QStringLiteral("Error"));
        return false;
    }
    return written;
}

void LoadPresetsFromTester(TTesterLink& link, TPresetEditor& editor)
{
    BusyCursor busy;
    // A refused request counts as no answer, so the editor refuses the whole table.
    const auto payload = [&link](char sub, const QByteArray& request) {
        return link.Send('N', sub, 0, request) == 0 ? link.Frame.PayloadBytes() : QByteArray();
    };
    const QByteArray header = payload('L', {});
    editor.LoadFromTester(header, [&](int i) { return payload('l', QByteArray(1, char(i))); });
}

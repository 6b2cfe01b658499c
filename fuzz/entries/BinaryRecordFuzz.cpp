// The fixed binary records: the locality preset file and one directory entry.
#include "FuzzEntries.h"
#include "admin/LocalityPreset.h"
#include "model/Errors.h"
#include "tester/DirectoryEntry.h"

#include <cstdlib>
#include <memory>

void FuzzPresetFile(const QByteArray& input)
{
    static const auto table = std::make_unique<TPresetTable>();
    *table = TPresetTable{};
    try {
        DecodePresetFile(input, *table);
    } catch (const VybitorError&) {
        if (table->PresetCount != 0)
            std::abort(); // a refused file must leave the table as it was
        return;
    }
    // What was read writes back and reads again to the same table.
    const QByteArray again = EncodePresetFile(*table);
    TPresetTable reread;
    DecodePresetFile(again, reread);
    if (reread.PresetCount != table->PresetCount || EncodePresetFile(reread) != again)
        std::abort();
    for (int i = 0; i < table->PresetCount; ++i) {
        PresetText(table->Presets[i].Locality);
        PresetText(table->Presets[i].BatteryType);
    }
}

void FuzzDirectoryEntry(const QByteArray& input)
{
    TDirectoryEntry entry;
    if (!DecodeDirectoryEntry(input.constData(), int(input.size()), entry))
        return;
    DirectoryRowTexts(entry, false);
    DirectoryRowTexts(entry, true);
}

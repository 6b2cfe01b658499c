#include "FuzzEntries.h"

#include <iterator>

namespace {
struct NamedEntry {
    const char* name;
    FuzzEntry entry;
};

constexpr NamedEntry Entries[] = {
    {"stored_test", FuzzStoredTest},
    {"downloaded_test", FuzzDownloadedTest},
    {"language_file", FuzzLanguageFile},
    {"ini_file", FuzzIniFile},
    {"preset_file", FuzzPresetFile},
    {"battery_types", FuzzBatteryTypeFile},
    {"directory_entry", FuzzDirectoryEntry},
    {"field_line", FuzzFieldLines},
    {"text_file", FuzzTestTextFile},
    {"tester_replies", FuzzTesterReplies},
};
} // namespace

FuzzEntry FindFuzzEntry(const QString& name)
{
    for (const NamedEntry& e : Entries)
        if (name == QLatin1String(e.name))
            return e.entry;
    return nullptr;
}

QStringList FuzzEntryNames()
{
    QStringList names;
    for (const NamedEntry& e : Entries)
        names << QLatin1String(e.name);
    return names;
}

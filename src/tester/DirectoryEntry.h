#pragma once
// One entry of the tester's test directory: the payload of a #TT reply with status 1.

#include "model/TestRecord.h"

#include <QString>
#include <QStringList>

#pragma pack(push, 1)
struct TDirectoryEntry {
    uint8_t DownloadMark;      // 0: the test carries the mark that #FA sets
    char Name[9];              // not used by the program
    char FileName[13];         // file in the tester's data directory
    TTestRunInfo RunInfo;
    TTestHeader Header;
    uint32_t LengthMs;
    uint16_t EntryIndex;       // #TO takes it back
};
#pragma pack(pop)

static_assert(sizeof(TDirectoryEntry) == 127);
static_assert(offsetof(TDirectoryEntry, FileName) == 10);
static_assert(offsetof(TDirectoryEntry, RunInfo) == 23);
static_assert(offsetof(TDirectoryEntry, Header) == 30);
static_assert(offsetof(TDirectoryEntry, LengthMs) == 121);
static_assert(offsetof(TDirectoryEntry, EntryIndex) == 125);

// Columns of the directory grid.
enum DirectoryColumn {
    DirTest = 0, DirDate, DirTime, DirLocality, DirMeasuredBy, DirBatteryId, DirPeriod,
    DirCharacteristic, DirDischarge, DirEndVoltage, DirBatteryCount, DirEndReason, DirLength,
    DirDownloaded, DirFileName, DirEntryIndex, DirColumnCount
};

// Decodes a reply payload; false when it is shorter than an entry.
bool DecodeDirectoryEntry(const char* payload, int length, TDirectoryEntry& entry);

// The 16 cell texts of one grid row. dataVersion101: the "Verze dat" option is "1.01",
// so a constant-power test's power sits at header offset 25.
QStringList DirectoryRowTexts(const TDirectoryEntry& entry, bool dataVersion101);

#pragma once
// The entry points of the fuzz harnesses. Each takes one input as a file or a tester would
// deliver it and must neither crash nor hang on any bytes. The libFuzzer programs and the
// test that replays the saved inputs call the same functions.

#include <QByteArray>
#include <QStringList>

using FuzzEntry = void (*)(const QByteArray& input);

// The entry of a harness by its name (the folder name of its corpus); null when unknown.
FuzzEntry FindFuzzEntry(const QString& name);
QStringList FuzzEntryNames();

// Inputs of every harness: stored test bytes, a downloaded test, a language file, an INI
// file, a preset file, a battery-type list, a directory entry, test text file lines, a
// whole test text file, and the reply stream of the tester.
void FuzzStoredTest(const QByteArray& input);
void FuzzDownloadedTest(const QByteArray& input);
void FuzzLanguageFile(const QByteArray& input);
void FuzzIniFile(const QByteArray& input);
void FuzzPresetFile(const QByteArray& input);
void FuzzBatteryTypeFile(const QByteArray& input);
void FuzzDirectoryEntry(const QByteArray& input);
void FuzzFieldLines(const QByteArray& input);
void FuzzTestTextFile(const QByteArray& input);
void FuzzTesterReplies(const QByteArray& input);

#pragma once
// The last test files opened or saved that "Otevři" can open again (test text files and
// stored tests, not workbooks), newest first, kept in ConfigFile: [RecentFiles] File1..File8.

#include <QString>
#include <QStringList>

class TIniFile;

inline constexpr int MaxRecentFiles = 8;

// Whether "Otevři" offers the file: its extension begins with T (the open dialog's "*.T*").
bool OpensAsTestFile(const QString& path);

QStringList ReadRecentFiles(const TIniFile& ini);
// Puts path first (once; the oldest beyond eight drops off) and stores the list. A file
// that "Otevři" cannot open is not remembered.
void RememberRecentFile(TIniFile& ini, const QString& path);

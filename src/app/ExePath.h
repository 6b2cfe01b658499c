#pragma once
// Files named after the executable: ConfigFile (".ini"), battery types (".btr"), logo (".jpg").

#include <QString>

// The executable's full path with its extension replaced by ext (".ini").
QString ExeSiblingPath(const QString& ext);
// The executable's folder with a trailing separator.
QString ExeFolder();
// Tests and the CLI point the program at another "executable" path.
void SetExecutablePath(const QString& path);

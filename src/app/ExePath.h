#pragma once
// Files named after the executable: ConfigFile (".ini"), battery types (".btr"), logo (".jpg"),
// and where they are when the executable's folder cannot take them (an installed program).

#include <QString>
#include <QStringList>

// The executable's full path with its extension replaced by ext (".ini").
QString ExeSiblingPath(const QString& ext);
// The executable's folder with a trailing separator.
QString ExeFolder();
// Tests and the CLI point the program at another "executable" path.
void SetExecutablePath(const QString& path);

// Whether the program keeps its files beside the executable (a portable copy): its folder
// is writable. A folder without its owner's write permission counts as read-only for
// every user, root included, as the program's files do.
bool ExeFolderWritable();
// $XDG_CONFIG_HOME/vybitor5 (default ~/.config/vybitor5), without a trailing separator.
QString UserConfigFolder();
// share/vybitor5 of the installation the executable belongs to (its bin folder's sibling).
QString InstalledDataFolder();

// ConfigFile: ExeSiblingPath(".ini") when the executable's folder is writable, else the
// same file name in UserConfigFolder (created when missing).
QString ConfigFilePath();
// The folders the files the program only reads are looked up in, in that order, each once:
// the executable's folder; when it is not writable also UserConfigFolder and
// InstalledDataFolder.
QStringList ProgramFileFolders();
// A file the program only reads (".btr", ".jpg"), under the executable's name: the first of
// ProgramFileFolders that holds it; the path beside the executable when none does.
QString ReadOnlyFilePath(const QString& ext);
// The folder test files are opened from and saved to before the user picked one: the
// executable's folder when it is writable, else the home folder; with a trailing separator.
QString DefaultTestFolder();

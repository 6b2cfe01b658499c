#pragma once
// Replacing a file on disk in one piece: the bytes go to a file beside it that is renamed
// over it only when everything was written, so a full disk, an exhausted size limit or a
// crash never leaves half a file, and the old file stays byte for byte as it was. The
// file beside it has a name of the program's own, ".NAME.vyb-" and six letters or digits,
// so a copy that a kill left behind is known as such: the next store of the same file
// removes it (once a minute old), and never touches another file.

#include <QByteArray>
#include <QString>

// Returns an empty string when the whole file was written, else why it was not. A file
// without its owner's write permission counts as read-only for every user (root included),
// as a read-only file would on the desktop.
QString ReplaceWholeFile(const QString& path, const QByteArray& bytes);

// ReplaceWholeFile for the program's own files: throws VybitorError("Unable to write to <path>").
void WriteWholeFile(const QString& path, const QByteArray& bytes);

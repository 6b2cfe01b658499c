#pragma once
// Replacing a file on disk in one piece: the bytes go to a file beside it that is renamed
// over it only when everything was written, so a full disk, an exhausted size limit or a
// crash never leaves half a file, and the old file stays byte for byte as it was.

#include <QByteArray>
#include <QString>

// Throws VybitorError("Unable to write to <path>") when the file cannot be written whole.
// A file without its owner's write permission counts as read-only for every user (root
// included), as a read-only file would on the desktop.
void WriteWholeFile(const QString& path, const QByteArray& bytes);

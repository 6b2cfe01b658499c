#pragma once
// Whole files read and written at once; a failed write never destroys the file that was there.

#include <QByteArray>
#include <QString>

// Writes the bytes to a temporary file beside `path` and renames it over `path` only when
// all of them were written. Throws VybitorError naming the file on any failure; the
// existing file is then untouched and no temporary file stays behind.
void WriteFileReplacing(const QString& path, const QByteArray& bytes);

// All bytes of a file; throws VybitorError naming the file when it cannot be read.
QByteArray ReadWholeFile(const QString& path);

// A message about a file as the user sees it: the text as it stands and the file's path on
// a line under it, unless the text names the file already ("Unable to write to PATH").
QString FileMessage(const QString& text, const QString& path);

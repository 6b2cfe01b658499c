#pragma once
// A test file on disk in the tester's own byte layout.

#include <QByteArray>
#include <QString>

class TProgramState;
struct TTestRecord;

// Decodes the bytes of a stored test file into `work`: at most MaxRows rows (the
// truncation message for more), bytes after the last whole row ignored, and elapsed
// times that continue across restarts of the tester's millisecond counter. Returns an
// empty string, or why the bytes are no test (the record is then not to be used).
QString DecodeStoredTestFile(const QByteArray& bytes, TTestRecord& work);

// Reads a stored test file and shows it. A file of size 0 changes nothing. A file that
// cannot be read throws VybitorError naming it; one with impossible batteries shows
// "Error" and leaves the loaded test as it was.
void LoadStoredTestFile(TProgramState& state, const QString& path);

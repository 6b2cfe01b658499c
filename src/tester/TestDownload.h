#pragma once
// Turning a test file read from the tester into the record: a fresh download, or an
// append of a second test to the loaded one. Both check the whole file first, so a
// refused file leaves the record exactly as it was.

#include "model/TestRecord.h"

#include <QByteArray>

// Decodes a downloaded test and takes it over into `record`. Shows "Error" for a file
// that is no whole number of rows or has impossible batteries (record unchanged, false),
// and the truncation message for more than 10000 rows (the first 10000 load, true).
bool LoadDownloadedTest(const QByteArray& file, TTestRecord& record);

// Appends a downloaded test to the loaded one: battery columns merged to the union of
// both tests' numbers, the time axis continued from the last loaded row. Returns false
// (record unchanged) after "Error".
bool AppendDownloadedTest(const QByteArray& file, TTestRecord& record);

// "Příliš mnoho měření(R), načtu pouze K řádků měření"
QString TooManyRowsMessage(qint64 rows, qint64 kept);

#pragma once
// The test text file: a TAB-separated Windows-1250 text with CR LF line ends that holds
// the header texts, the evaluation choices, the battery table and the measurement table.

#include <QByteArray>
#include <QString>

class TProgramState;

// The whole file as SaveTestTextFile writes it, from the state as it stands.
QByteArray TestTextFileBytes(const TProgramState& state);

// Writes the file through a temporary file beside it that replaces the target only when
// everything was written, so a failed save leaves an existing file as it was.
// Throws VybitorError naming the file when it cannot be written.
void SaveTestTextFile(const TProgramState& state, const QString& path);

// Reads a test text file into the record, the main window's texts, the battery table and
// the evaluation choices, then shows the test (ShowTest, FillMeasurementTable).
// The file is read whole first: a file that cannot be read or converted throws
// VybitorError naming the file and the line, and the state stays exactly as it was.
// More than 10000 samples: the truncation message, the first 10000 load.
void LoadTestTextFile(TProgramState& state, const QString& path);

#pragma once
// The files a command reads a test from and writes the loaded test to, by extension.

#include <QString>

struct TCliArguments;

// As "Otevři" opens it: ".txt" (any case) a test text file, anything else a stored test
// file. Throws when the file holds no test.
void LoadTestInput(const QString& path);

// -o OUT: ".txt" the test text file, ".xls"/".xlsx" the workbook, ".pdf" the test report
// of the batteries --batteries chooses (the data report with --data-report).
void WriteTestOutput(const TCliArguments& args);

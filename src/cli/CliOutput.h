#pragma once
// The files a command writes from the loaded test, chosen by the name's extension.

#include <QString>

// ".txt" the test text file, ".xls"/".xlsx" the workbook, ".pdf" the test report.
void WriteTestOutput(const QString& path);

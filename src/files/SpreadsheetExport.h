#pragma once
// The workbook export: a header sheet (test header and battery table) and the sheet
// "Data" with the measurement table, from the texts the windows show.

#include "model/TextGrid.h"

#include <QString>

class TProgramState;

// The header sheet as a grid: rows 0 to 13 caption and field text (row 12, the operator's
// representative, empty while that field is hidden), row 14 empty, the battery table from
// row 15. Width: the battery table's columns, at least 2.
TTextGrid HeaderStagingGrid(const TProgramState& state);

// Writes the workbook. Carriage returns are dropped from every cell; a cell whose text
// reads as a number in the locale becomes a number cell, any other a text cell. The
// workbook is built aside and replaces the file only when complete: a write error throws
// VybitorError naming the file and leaves an existing file as it was.
void ExportSpreadsheet(const TProgramState& state, const QString& path);

#pragma once
// Rows of cells on stdout, as TSV or as JSON, for every command that prints a grid.

#include <QList>
#include <QString>
#include <QStringList>

class TTextGrid;

enum class TCliFormat { Tsv, Json };

// The cells of one grid row, column 0 first.
QStringList GridRowTexts(const TTextGrid& grid, int row);

// A cell as a JSON value: a number where the trimmed text is one in the locale's notation
// (no leading zero as in "0002", no unit), otherwise the trimmed text as a string.
QByteArray JsonCell(const QString& text);

// TSV: each row's cells joined by TAB, one line a row, no title line. JSON: a list of
// objects, one a row, the titles as keys in column order.
void PrintRows(const QStringList& titles, const QList<QStringList>& rows, TCliFormat format);
void PrintUtf8(const QString& text);

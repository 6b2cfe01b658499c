#pragma once
// Reads a written workbook back through a real reader of its kind (openpyxl of Debian's python3).

#include <QJsonObject>
#include <QString>

// {"sheets": {name: [[cell, ...], ...]}, "margins": {name: {"left": ..., ...}}} with number
// cells as JSON numbers and text cells as strings; {"error": text} when the reader refused
// the file.
QJsonObject ReadWorkbook(const QString& path);

#pragma once
// A grid of text cells with a fixed title row and column, as the windows show it.
// Core state: the battery table, the export staging grid and other grids live here;
// their windows only display and edit them.

#include <QString>
#include <QVector>

class TTextGrid {
public:
    TTextGrid(int rows = 1, int cols = 1) { SetSize(rows, cols); }

    int RowCount() const { return rows_; }
    int ColCount() const { return cols_; }
    // Growing adds empty cells; shrinking drops the rows or columns beyond.
    void SetRowCount(int rows) { SetSize(rows, cols_); }
    void SetColCount(int cols) { SetSize(rows_, cols); }
    void SetSize(int rows, int cols);

    const QString& Cell(int col, int row) const;   // column first, as grid cells are addressed
    void SetCell(int col, int row, const QString& text);
    void InsertRow(int before);                    // a new empty row before row `before`
    void DeleteRow(int row);
    void ClearRow(int row);
    // Empties rows 1… and columns 1…: titles and headers stay.
    void ClearCells();

private:
    int rows_ = 0;
    int cols_ = 0;
    QVector<QString> cells_; // row-major
};

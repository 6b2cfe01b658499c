#include "model/TextGrid.h"

#include <algorithm>

void TTextGrid::SetSize(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    if (rows == rows_ && cols == cols_)
        return;
    if (cols == cols_) {
        // Rows added one at a time (a list growing as files are found) must cost the same
        // at row 100000 as at row 10: the cells stay in place and resize grows the storage
        // geometrically, by reallocation (QString is relocatable), so only a width change
        // moves every cell. reserve() would copy every cell, a reference count each.
        cells_.resize(qsizetype(rows) * cols);
        rows_ = rows;
        return;
    }
    QVector<QString> cells(rows * cols);
    const int keepRows = std::min(rows, rows_);
    const int keepCols = std::min(cols, cols_);
    for (int r = 0; r < keepRows; ++r)
        for (int c = 0; c < keepCols; ++c)
            cells[r * cols + c] = std::move(cells_[r * cols_ + c]);
    cells_ = std::move(cells);
    rows_ = rows;
    cols_ = cols;
}

const QString& TTextGrid::Cell(int col, int row) const
{
    static const QString empty;
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return empty;
    return cells_[row * cols_ + col];
}

void TTextGrid::SetCell(int col, int row, const QString& text)
{
    if (col < 0 || row < 0)
        return;
    if (col >= cols_ || row >= rows_)
        SetSize(std::max(rows_, row + 1), std::max(cols_, col + 1));
    cells_[row * cols_ + col] = text;
}

void TTextGrid::InsertRow(int before)
{
    before = std::clamp(before, 0, rows_);
    cells_.insert(before * cols_, cols_, QString());
    ++rows_;
}

void TTextGrid::DeleteRow(int row)
{
    if (row < 0 || row >= rows_)
        return;
    cells_.remove(row * cols_, cols_);
    --rows_;
}

void TTextGrid::ClearRow(int row)
{
    for (int c = 0; c < cols_; ++c)
        SetCell(c, row, QString());
}

void TTextGrid::ClearCells()
{
    for (int r = 1; r < rows_; ++r)
        for (int c = 1; c < cols_; ++c)
            cells_[r * cols_ + c].clear();
}

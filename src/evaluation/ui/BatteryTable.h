#pragma once
// The battery table AdvStringGrid1 of the main window's panel "Baterie", an editable view
// over TProgramState::BatteryGrid: the fixed title row is the header, the fixed title
// column (row titles, 114 px until fitted) stays in place while the battery columns
// scroll. Insert adds a row before the current one, Ctrl+Delete removes the current row,
// Delete empties the selected cells. Column widths live in BatteryGridColWidths, where
// the test report reads them.

#include "app/ProgramState.h"

#include <QFrame>

class QTableView;
class TTextGridModel;

class TBatteryTable : public QFrame {
    Q_OBJECT
public:
    static constexpr int TitleColumnWidth = BatteryTitleColumnWidth;
    static constexpr int CellColumnWidth = BatteryCellColumnWidth;
    static constexpr int RowHeight = BatteryRowHeight;

    explicit TBatteryTable(TProgramState& state, QWidget* parent = nullptr);
    ~TBatteryTable() override;

    QTableView* Titles() const { return titles_; } // column 0
    QTableView* Cells() const { return cells_; }    // columns 1…

    void InsertRowBeforeCurrent();
    void DeleteCurrentRow();
    void ClearSelectedCells();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Reload();      // the grid changed: rows, columns and cells
    void FitColumns();  // a test was filled in: widths to content, titles included
    void ApplyWidths();
    void KeepRowHeights();
    void KeepWidth(int column, int width);
    int CurrentGridRow() const;

    TProgramState& state_;
    TTextGridModel* model_;
    QTableView* titles_;
    QTableView* cells_;
    bool applyingWidths_ = false;
};

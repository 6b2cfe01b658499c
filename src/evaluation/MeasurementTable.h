#pragma once
// The data grid: one row per sample of the loaded test, formatted on demand from the
// record. Grid row 0 holds the headers; row i shows record row i-1. Columns: "#",
// "Čas[s]", "Proud", "Napětí", "Teplota", then one "Bat. N" column per battery.

#include <QAbstractTableModel>
#include <QStringList>

class TProgramState;
struct TTestRecord;

inline constexpr int MeasurementFixedColumns = 5;

// Headers of the five fixed columns (the data window's texts, translatable): the built-in
// ones, and the ones in force.
const QStringList& MeasurementDesignHeaders();
QStringList& MeasurementColumnHeaders();
// Header of a battery column: catalogue text Tbat, ". " and the battery number.
QString BatteryHeaderText(int batteryNumber);

int MeasurementColCount(const TTestRecord& record);
// Header row plus the samples; a test without samples keeps one empty data row.
int MeasurementRowCount(const TTestRecord& record);
// Text of any cell of the grid, header row included; the text file and the data report
// read the grid through this.
QString MeasurementCellText(const TTestRecord& record, int col, int gridRow);

// Rebuilds everything that follows the loaded test: battery table columns and headers,
// the test length, the evaluation and (through GraphRebuildRequested) the graph.
void FillMeasurementTable(TProgramState& state);

// Read-only table model over the record; the horizontal header is grid row 0.
class TMeasurementTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TMeasurementTableModel(TProgramState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TProgramState& state_;
};

#include "evaluation/MeasurementTable.h"

#include "app/ProgramState.h"
#include "evaluation/CapacityEvaluation.h"
#include "i18n/MessageCatalogue.h"
#include "model/LocaleFormat.h"

const QStringList& MeasurementDesignHeaders()
{
    static const QStringList headers{QStringLiteral("#"), QStringLiteral("Čas[s]"), QStringLiteral("Proud"),
                                     QStringLiteral("Napětí"), QStringLiteral("Teplota")};
    return headers;
}

QStringList& MeasurementColumnHeaders()
{
    static QStringList headers = MeasurementDesignHeaders();
    return headers;
}

QString BatteryHeaderText(int batteryNumber)
{
    return MessageText(QStringLiteral("Tbat")) + QStringLiteral(". ") + QString::number(batteryNumber);
}

int MeasurementColCount(const TTestRecord& record) { return MeasurementFixedColumns + record.RunInfo.BatteryCount; }

int MeasurementRowCount(const TTestRecord& record) { return 1 + std::max(record.RowCount, 1); }

QString MeasurementCellText(const TTestRecord& r, int col, int gridRow)
{
    if (col < 0 || col >= MeasurementColCount(r) || gridRow < 0)
        return {};
    if (gridRow == 0)
        return col < MeasurementFixedColumns ? MeasurementColumnHeaders().value(col)
                                             : BatteryHeaderText(r.BatteryNumbers[col - MeasurementFixedColumns]);
    if (gridRow > r.RowCount)
        return {};
    const TMeasurementRow& row = r.Rows[gridRow - 1];
    switch (col) {
    case 0: return QString::number(gridRow);
    case 1: return QString::number(row.ElapsedSeconds);
    case 2: return FixedLocale(double(row.CurrentA) + double(row.CurrentB), 1);
    case 3: return FixedLocale(row.TotalVoltage, 1);
    case 4: return FixedLocale(row.Temperature, 1);
    default: return FixedLocale(row.Voltages[col - MeasurementFixedColumns], 2);
    }
}

void FillMeasurementTable(TProgramState& state)
{
    const TTestRecord& r = state.Record();
    const int n = r.RunInfo.BatteryCount;
    TTextGrid& batteries = state.BatteryGrid;
    batteries.SetColCount(n + 1);
    for (int k = 0; k < n; ++k)
        batteries.SetCell(k + 1, 0, BatteryHeaderText(r.BatteryNumbers[k]));
    emit state.BatteryGridChanged();
    emit state.MeasurementTableChanged();
    // A test without samples has no length (the grid keeps one empty row).
    const double seconds = r.RowCount > 0 ? r.Rows[r.RowCount - 1].ElapsedSeconds : 0;
    state.Texts.Hdelka_testu = FormatLocale("%5.1fmin  ", seconds / 60.0);
    emit state.TextsChanged();
    try {
        EvaluateCapacity(state);
    } catch (...) {
        // The graph follows the loaded test even when its duration text cannot be evaluated.
        emit state.GraphRebuildRequested();
        throw;
    }
    emit state.GraphRebuildRequested();
}

TMeasurementTableModel::TMeasurementTableModel(TProgramState& state, QObject* parent)
    : QAbstractTableModel(parent), state_(state)
{
    connect(&state, &TProgramState::MeasurementTableChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int TMeasurementTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : MeasurementRowCount(state_.Record()) - 1;
}

int TMeasurementTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : MeasurementColCount(state_.Record());
}

QVariant TMeasurementTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return MeasurementCellText(state_.Record(), index.column(), index.row() + 1);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TMeasurementTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return MeasurementCellText(state_.Record(), section, 0);
    return section + 1;
}

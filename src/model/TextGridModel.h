#pragma once
// A table model over a TTextGrid: grid row 0 becomes the horizontal header, grid rows 1…
// the model's rows. Windows put a QTableView on it; the grid stays the one state.

#include "model/TextGrid.h"

#include <QAbstractTableModel>
#include <functional>

class TTextGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TTextGridModel(TTextGrid& grid, QObject* parent = nullptr) : QAbstractTableModel(parent), grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void SetEditable(bool editable) { editable_ = editable; }
    // Extra roles per cell (background colour, alignment): (column, grid row, role).
    void SetRoleProvider(std::function<QVariant(int, int, int)> provider) { provider_ = std::move(provider); }
    // The grid changed under the model.
    void Reload();
    // At most this many rows shown (a grid being filled shows what was found so far), -1 for
    // all: more rows are inserted, keeping the selection; fewer reset the view.
    void SetRowLimit(int rows);

private:
    TTextGrid& grid_;
    bool editable_ = false;
    int rowLimit_ = -1;
    std::function<QVariant(int, int, int)> provider_;
};

#pragma once
// A table whose first column stays in place while the others scroll sideways: a grid of
// 108 battery columns must not scroll its sample numbers out of sight.

#include <QTableView>

class TFrozenColumnView : public QTableView {
    Q_OBJECT
public:
    explicit TFrozenColumnView(QWidget* parent = nullptr);
    void setModel(QAbstractItemModel* model) override;
    // The table that shows the first column over the scrolling one.
    QTableView* FrozenColumn() const { return frozen_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void updateGeometries() override;

private:
    void showFirstColumnOnly();
    void placeFrozenColumn();

    QTableView* frozen_;
};

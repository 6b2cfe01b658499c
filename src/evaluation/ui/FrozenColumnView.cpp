#include "evaluation/ui/FrozenColumnView.h"

#include <QHeaderView>
#include <QScrollBar>

TFrozenColumnView::TFrozenColumnView(QWidget* parent) : QTableView(parent), frozen_(new QTableView(this))
{
    frozen_->setObjectName(QStringLiteral("FrozenColumn"));
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(ScrollPerPixel);
    frozen_->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    // Painted like a header, as a fixed column is.
    QPalette palette = frozen_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    frozen_->setPalette(palette);
    viewport()->stackUnder(frozen_);
    setVerticalScrollMode(ScrollPerPixel);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section == 0) {
            frozen_->setColumnWidth(0, size);
            placeFrozenColumn();
        }
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { frozen_->setRowHeight(section, size); });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(), &QAbstractSlider::setValue);
}

void TFrozenColumnView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    frozen_->setEditTriggers(NoEditTriggers);
    // Columns come and go with every loaded test.
    connect(model, &QAbstractItemModel::modelReset, this, &TFrozenColumnView::showFirstColumnOnly);
    connect(model, &QAbstractItemModel::columnsInserted, this, &TFrozenColumnView::showFirstColumnOnly);
    showFirstColumnOnly();
}

void TFrozenColumnView::showFirstColumnOnly()
{
    const QAbstractItemModel* m = model();
    for (int c = 1; m && c < m->columnCount(); ++c)
        frozen_->setColumnHidden(c, true);
    frozen_->setColumnWidth(0, columnWidth(0));
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    frozen_->setSelectionBehavior(selectionBehavior());
    frozen_->setSelectionMode(selectionMode());
    placeFrozenColumn();
}

void TFrozenColumnView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    placeFrozenColumn();
}

void TFrozenColumnView::updateGeometries()
{
    QTableView::updateGeometries();
    placeFrozenColumn();
}

void TFrozenColumnView::placeFrozenColumn()
{
    const int left = verticalHeader()->isVisible() ? verticalHeader()->width() : 0;
    frozen_->setGeometry(left + frameWidth(), frameWidth(), columnWidth(0),
                         viewport()->height() + horizontalHeader()->height());
    frozen_->setVisible(model() && model()->columnCount() > 0);
}

QModelIndex TFrozenColumnView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(action, modifiers);
    // Moving left must not leave the cell under the frozen column.
    if (action == MoveLeft && current.column() > 0) {
        const int x = visualRect(current).topLeft().x();
        if (x < frozen_->columnWidth(0))
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + x - frozen_->columnWidth(0));
    }
    return current;
}

void TFrozenColumnView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (index.column() > 0)
        QTableView::scrollTo(index, hint);
}

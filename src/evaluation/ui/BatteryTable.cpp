#include "evaluation/ui/BatteryTable.h"

#include "app/ProgramState.h"
#include "model/TextGridModel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

namespace {

QTableView* GridView(TTextGridModel* model, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setFrameShape(QFrame::NoFrame);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(TBatteryTable::RowHeight);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setStyleSheet(QStringLiteral("QTableView { gridline-color: grey; }"));
    view->installEventFilter(parent);
    return view;
}

} // namespace

TBatteryTable::TBatteryTable(TProgramState& state, QWidget* parent)
    : QFrame(parent), state_(state), model_(new TTextGridModel(state.BatteryGrid, this))
{
    setObjectName(QStringLiteral("AdvStringGrid1"));
    setFrameShape(QFrame::StyledPanel);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    model_->SetEditable(true);
    model_->SetRoleProvider([this](int column, int, int role) -> QVariant {
        if (role == Qt::TextAlignmentRole && column > 0)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role == Qt::BackgroundRole && column == 0)
            return palette().color(QPalette::Button);
        return {};
    });

    titles_ = GridView(model_, this);
    cells_ = GridView(model_, this);
    titles_->setSelectionModel(cells_->selectionModel());
    titles_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cells_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(titles_);
    layout->addWidget(cells_, 1);

    // One row position for both halves; the title half gets a (disabled) scroll bar of
    // its own whenever the cells have one, so that their last rows line up.
    connect(cells_->verticalScrollBar(), &QScrollBar::valueChanged, titles_->verticalScrollBar(), &QScrollBar::setValue);
    connect(titles_->verticalScrollBar(), &QScrollBar::valueChanged, cells_->verticalScrollBar(), &QScrollBar::setValue);
    connect(cells_->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        titles_->setHorizontalScrollBarPolicy(max > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    });
    titles_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (QTableView* view : {titles_, cells_})
        connect(view->horizontalHeader(), &QHeaderView::sectionResized, this,
                [this](int column, int, int width) { KeepWidth(column, width); });

    connect(&state_, &TProgramState::BatteryGridChanged, this, &TBatteryTable::Reload);
    connect(&state_, &TProgramState::MeasurementTableChanged, this, &TBatteryTable::FitColumns);
    Reload();
}

// A table that is a window of its own is hidden by QWidget's destructor, after this
// part of it is gone; the views' scroll bars and headers then still report changes.
TBatteryTable::~TBatteryTable()
{
    cells_->horizontalScrollBar()->disconnect(this);
    for (QTableView* view : {titles_, cells_})
        view->horizontalHeader()->disconnect(this);
}

void TBatteryTable::Reload()
{
    model_->Reload();
    ApplyWidths();
    KeepRowHeights();
}

void TBatteryTable::KeepRowHeights()
{
    std::vector<int>& heights = state_.BatteryGridRowHeights;
    heights.assign(1, cells_->horizontalHeader()->height());
    for (int r = 0; r < model_->rowCount(); ++r)
        heights.push_back(cells_->rowHeight(r));
}

void TBatteryTable::ApplyWidths()
{
    applyingWidths_ = true;
    const std::vector<int>& widths = state_.BatteryGridColWidths;
    for (int c = 0; c < model_->columnCount(); ++c) {
        const int width = c < int(widths.size()) ? widths[c] : (c == 0 ? TitleColumnWidth : CellColumnWidth);
        titles_->setColumnHidden(c, c != 0);
        cells_->setColumnHidden(c, c == 0);
        (c == 0 ? titles_ : cells_)->setColumnWidth(c, width);
    }
    titles_->setFixedWidth(titles_->columnWidth(0));
    applyingWidths_ = false;
}

void TBatteryTable::FitColumns()
{
    titles_->resizeColumnToContents(0);
    cells_->resizeColumnsToContents();
    std::vector<int>& widths = state_.BatteryGridColWidths;
    widths.assign(size_t(model_->columnCount()), 0);
    for (int c = 0; c < model_->columnCount(); ++c)
        widths[c] = (c == 0 ? titles_ : cells_)->columnWidth(c);
    titles_->setFixedWidth(widths.empty() ? TitleColumnWidth : widths[0]);
}

void TBatteryTable::KeepWidth(int column, int width)
{
    if (applyingWidths_ || width == 0)
        return; // hidden halves report width 0
    std::vector<int>& widths = state_.BatteryGridColWidths;
    for (int c = int(widths.size()); c <= column; ++c)
        widths.push_back(c == 0 ? TitleColumnWidth : CellColumnWidth);
    widths[column] = width;
    if (column == 0)
        titles_->setFixedWidth(width);
}

int TBatteryTable::CurrentGridRow() const
{
    const QModelIndex current = cells_->selectionModel()->currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void TBatteryTable::InsertRowBeforeCurrent()
{
    const QModelIndex current = cells_->selectionModel()->currentIndex();
    state_.BatteryGrid.InsertRow(CurrentGridRow());
    Reload();
    if (current.isValid())
        cells_->setCurrentIndex(model_->index(current.row(), current.column()));
}

void TBatteryTable::DeleteCurrentRow()
{
    TTextGrid& grid = state_.BatteryGrid;
    // The table keeps one data row below its title row, as an empty one.
    if (grid.RowCount() <= 2)
        grid.ClearRow(1);
    else
        grid.DeleteRow(CurrentGridRow());
    Reload();
}

void TBatteryTable::ClearSelectedCells()
{
    for (const QModelIndex& index : cells_->selectionModel()->selectedIndexes())
        model_->setData(index, QString(), Qt::EditRole);
}

bool TBatteryTable::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || (watched != titles_ && watched != cells_))
        return QFrame::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
        InsertRowBeforeCurrent();
        return true;
    }
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
        DeleteCurrentRow();
        return true;
    }
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
        ClearSelectedCells();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

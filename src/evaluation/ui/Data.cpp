#include "evaluation/ui/Data.h"

#include "app/ProgramState.h"
#include "evaluation/MeasurementTable.h"

#include <QAction>
#include <QHeaderView>
#include <QTableView>

TFdata::TFdata(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setObjectName(QStringLiteral("Fdata"));
    setWindowTitle(QStringLiteral("Data"));
    resize(640, 480);
    view_ = new QTableView(this);
    view_->setModel(new TMeasurementTableModel(state, view_));
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(21);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setCentralWidget(view_);

    // Where a window has no system menu to extend, the print command sits in the
    // window's context menu; its caption is fixed when the window is created.
    auto* print = new QAction(QStringLiteral("Tisk"), this);
    connect(print, &QAction::triggered, this, &TFdata::PrintRequested);
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    view_->addAction(print);

    connect(&state_, &TProgramState::MeasurementTableChanged, this, &TFdata::fitColumns);
    fitColumns();
}

void TFdata::fitColumns()
{
    static const int widths[] = {40, 64, 64, 64, 64};
    for (int c = 0; c < view_->model()->columnCount(); ++c)
        view_->setColumnWidth(c, c < 5 ? widths[c] : 64);
}

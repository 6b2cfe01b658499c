#include "evaluation/ui/Data.h"

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "config/ui/PlacementStore.h"
#include "evaluation/MeasurementTable.h"
#include "evaluation/ui/FrozenColumnView.h"
#include "app/ui/ToolbarIcons.h"
#include "i18n/TranslationRegistry.h"
#include "i18n/ui/TranslatableText.h"

#include <QAction>
#include <QHeaderView>
#include <QTableView>
#include <QToolBar>

TFdata::TFdata(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    new TPlacementStore(this, QStringLiteral("TFdata"), ConfigFilePath());
    setObjectName(QStringLiteral("Fdata"));
    setWindowTitle(QStringLiteral("Data"));
    resize(640, 480);
    view_ = new TFrozenColumnView(this);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(21);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->setModel(new TMeasurementTableModel(state, view_));
    setCentralWidget(view_);

    // The print command is a button of the window's own toolbar, where a user finds it,
    // and stays in the grid's context menu.
    TBXtisk = new QAction(ToolbarIcon(TToolbarIcon::Print), QStringLiteral("Tisk"), this);
    TBXtisk->setObjectName(QStringLiteral("TBXtisk"));
    connect(TBXtisk, &QAction::triggered, this, &TFdata::PrintRequested);
    QToolBar* bar = addToolBar(QStringLiteral("Tisk"));
    bar->setObjectName(QStringLiteral("TBXdata"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setIconSize(QSize(16, 16));
    bar->addAction(TBXtisk);
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    view_->addAction(TBXtisk);

    connect(&state_, &TProgramState::MeasurementTableChanged, this, &TFdata::fitColumns);
    fitColumns();
    RegisterTexts();
}

// Fixed ids: 1 the caption, 2-6 the headers of the five fixed columns, 7 the print button.
void TFdata::RegisterTexts()
{
    const QString window = QStringLiteral("Fdata");
    TranslateTitle(window, 1, this);
    TTranslationRegistry::Instance().Register(window, 7, TBXtisk->text(), [this](const QString& text) { TBXtisk->setText(text); },
                                              this);
    QAbstractItemModel* model = view_->model();
    for (int c = 0; c < MeasurementFixedColumns; ++c)
        TTranslationRegistry::Instance().Register(window, 2 + c, MeasurementDesignHeaders()[c],
            [model, c](const QString& text) {
                MeasurementColumnHeaders()[c] = text;
                emit model->headerDataChanged(Qt::Horizontal, c, c);
            }, this);
}

void TFdata::fitColumns()
{
    static const int widths[] = {40, 64, 64, 64, 64};
    for (int c = 0; c < view_->model()->columnCount(); ++c)
        view_->setColumnWidth(c, c < 5 ? widths[c] : 64);
}

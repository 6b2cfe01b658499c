#include "evaluation/ui/Data.h"

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "config/ui/PlacementStore.h"
#include "evaluation/MeasurementTable.h"
#include "evaluation/ui/FrozenColumnView.h"
#include "i18n/TranslationRegistry.h"
#include "i18n/ui/TranslatableText.h"

#include <QAction>
#include <QHeaderView>
#include <QTableView>

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

    // Where a window has no system menu to extend, the print command sits in the
    // window's context menu; its caption follows the language (id 20).
    print_ = new QAction(QStringLiteral("Tisk"), this);
    QAction* print = print_;
    connect(print, &QAction::triggered, this, &TFdata::PrintRequested);
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    view_->addAction(print);

    connect(&state_, &TProgramState::MeasurementTableChanged, this, &TFdata::fitColumns);
    fitColumns();
    RegisterTexts();
}

// Fixed ids: 1 the caption, 2-6 the headers of the five fixed columns, 20 the print command.
void TFdata::RegisterTexts()
{
    const QString window = QStringLiteral("Fdata");
    TranslateTitle(window, 1, this);
    TranslateText(window, 20, print_);
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

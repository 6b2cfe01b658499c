#include "tester/ui/Hlavicky.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ExePath.h"
#include "config/ui/PlacementStore.h"
#include "i18n/TranslationRegistry.h"
#include "i18n/ui/TranslatableText.h"
#include "tester/DirectoryFlows.h"
#include "tester/TesterLink.h"
#include "model/TextGridModel.h"
#include "tester/TestDirectory.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>
#include <QTableView>
#include <QToolBar>

TFhlavicky::TFhlavicky(TProgramState& state, QWidget* parent)
    : QMainWindow(parent), state_(state), directory_(TTestDirectory::Instance()), titles_(DirectoryTitles())
{
    BuildPlacementStore();
    setObjectName(QStringLiteral("Fhlavicky"));
    setWindowTitle(QStringLiteral("Hlavičky testů"));
    resize(900, 400);

    toolbar_ = addToolBar(QStringLiteral("TBXToolbar1"));
    toolbar_->setObjectName(QStringLiteral("TBXToolbar1"));
    auto item = [this](const char* caption, const char* hint) {
        QAction* a = toolbar_->addAction(QString::fromUtf8(caption));
        a->setToolTip(QString::fromUtf8(hint));
        return a;
    };
    reload_ = item("Reload", "Reload hlaviček z testeru");
    load_ = item("Načti měření", "Načti měření");
    append_ = item("Přidej", "Přidej měření");
    showHidden_ = item("Ukaž skryté", "Zobraz skryté");
    showHidden_->setCheckable(true);
    delete_ = item("Vymaž testy", "Vymaž test");
    deleteHidden_ = item("Vymaž skryté", "Vymaž všechny skryté testy");

    model_ = new TTextGridModel(directory_.Grid, this);
    model_->SetRoleProvider([this](int column, int row, int role) -> QVariant {
        if (role == Qt::BackgroundRole && column == DirTest)
            return directory_.IsDownloaded(row) ? QColor(Qt::red) : qApp->palette().color(QPalette::Button);
        const bool number = column == DirPeriod || column == DirDischarge || column == DirEndVoltage ||
                            column == DirBatteryCount || column == DirLength || column == DirEntryIndex;
        if (role == Qt::TextAlignmentRole && number)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    });
    view_ = new QTableView(this);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setAlternatingRowColors(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->setDefaultSectionSize(21);
    view_->verticalHeader()->hide();
    setCentralWidget(view_);

    TTesterLink& link = TTesterLink::Instance();
    connect(reload_, &QAction::triggered, this, [this, &link] { ReloadTesterDirectory(link, directory_); });
    connect(delete_, &QAction::triggered, this, [this, &link] { DeleteSelectedTests(link, directory_); });
    connect(deleteHidden_, &QAction::triggered, this, [this, &link] { DeleteHiddenTests(link, directory_); });
    connect(load_, &QAction::triggered, this, [this] { download(false); });
    connect(append_, &QAction::triggered, this, [this] { download(true); });
    connect(showHidden_, &QAction::toggled, this, [this](bool on) { directory_.ShowHidden = on; });
    connect(view_, &QTableView::doubleClicked, this, [this] {
        if (directory_.LoadEnabled)
            download(false);
    });
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TFhlavicky::takeSelection);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TFhlavicky::takeSelection);
    connect(&directory_, &TTestDirectory::Changed, this, &TFhlavicky::refresh);
    RegisterTexts();
    refresh();
}

// "Ukaž skryté" is kept with the window's placement as TBXItem2_Checked.
void TFhlavicky::BuildPlacementStore()
{
    auto* store = new TPlacementStore(this, QStringLiteral("TFhlavicky"), ConfigFilePath());
    store->Hooks.RestoreProperties = [this](TIniFile& ini, const QString& section) {
        directory_.ShowHidden = ini.ReadStoredBool(section, QStringLiteral("TBXItem2_Checked"), directory_.ShowHidden);
        directory_.Notify();
    };
    store->Hooks.StoreProperties = [this](TIniFile& ini, const QString& section) {
        ini.WriteStoredBool(section, QStringLiteral("TBXItem2_Checked"), directory_.ShowHidden);
    };
}

// Fixed ids: 1 the caption, 2-7 the toolbar's captions and 8-13 their hints, 14-26 the
// titles of the grid's columns 0 to 12.
void TFhlavicky::RegisterTexts()
{
    const QString window = QStringLiteral("Fhlavicky");
    TranslateTitle(window, 1, this);
    QAction* const items[6] = {reload_, load_, append_, showHidden_, delete_, deleteHidden_};
    for (int i = 0; i < 6; ++i) {
        TranslateText(window, 2 + i, items[i]);
        TranslateHint(window, 8 + i, items[i]);
    }
    const QStringList design = DirectoryTitles();
    for (int c = 0; c < TranslatedTitleCount; ++c)
        TTranslationRegistry::Instance().Register(window, 14 + c, design[c], [this, c](const QString& text) {
            titles_[c] = text;
            refresh();
        }, this);
}

void TFhlavicky::refresh()
{
    for (int c = 0; c < TranslatedTitleCount; ++c)
        directory_.Grid.SetCell(c, 0, titles_[c]);
    const QSignalBlocker block(view_->selectionModel());
    model_->Reload();
    for (int c = 0; c < DirColumnCount; ++c) {
        // The default widths were laid out for a smaller font: a column is widened where its
        // title or a listed value would be cut off.
        const int width = DirectoryColumnWidths[c];
        view_->setColumnHidden(c, width == 0);
        if (width > 0) {
            view_->resizeColumnToContents(c);
            view_->setColumnWidth(c, std::max(width, view_->columnWidth(c)));
        }
    }
    for (int row : directory_.SelectedRows)
        view_->selectionModel()->select(model_->index(row - 1, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (directory_.CurrentRow >= 1)
        view_->selectionModel()->setCurrentIndex(model_->index(directory_.CurrentRow - 1, 0), QItemSelectionModel::NoUpdate);
    showHidden_->setChecked(directory_.ShowHidden);
    load_->setEnabled(directory_.LoadEnabled);
    append_->setEnabled(directory_.AppendEnabled);
    delete_->setEnabled(directory_.DeleteEnabled);
    deleteHidden_->setEnabled(directory_.DeleteEnabled);
}

void TFhlavicky::ShowAndList()
{
    BusyCursor busy;
    show();
    ListTesterDirectory(TTesterLink::Instance(), directory_);
}

void TFhlavicky::download(bool append)
{
    // Nothing changed when nothing came: the views stay as they are.
    if (LoadTesterTest(TTesterLink::Instance(), directory_, state_, append, [this] { emit LoadStarting(); }))
        emit TestLoaded();
}

void TFhlavicky::takeSelection()
{
    QList<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows())
        rows << index.row() + 1;
    const QModelIndex current = view_->selectionModel()->currentIndex();
    directory_.Select(rows, current.isValid() ? current.row() + 1 : directory_.CurrentRow);
}

void TFhlavicky::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

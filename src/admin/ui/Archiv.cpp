#include "admin/ui/Archiv.h"

#include "admin/ArchiveFolders.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "config/ConfigFile.h"
#include "config/ui/PlacementStore.h"
#include "evaluation/ui/Stav.h"
#include "files/TestTextFile.h"
#include "model/Errors.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

// The caption of the main window's measurement-number label, in the language in force:
// only files whose first field begins like it are tests.
QString MeasurementNumberCaption()
{
    if (TFmain* main = Windows().Fmain)
        if (auto* label = main->findChild<QLabel*>(QStringLiteral("Lcislo_mereni")))
            return label->text();
    return QStringLiteral("Číslo měření");
}

} // namespace

TFarchiv::TFarchiv(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setObjectName(QStringLiteral("Farchiv"));
    setWindowTitle(QStringLiteral("Archiv"));
    resize(800, 450);
    BuildToolbar();
    AdvStringGrid1 = new QTableWidget(this);
    AdvStringGrid1->verticalHeader()->hide();
    AdvStringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AdvStringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows make a trend; "Načti soubor" takes the current one.
    AdvStringGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    AdvStringGrid1->horizontalHeader()->setSectionsClickable(true);
    AdvStringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(AdvStringGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFarchiv::SortByTitle);
    connect(AdvStringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { TBXotevriClick(); });
    setCentralWidget(AdvStringGrid1);
    ShowList();
    new TPlacementStore(this, QStringLiteral("TFarchiv"), ProgramConfigFile().FileName());
}

void TFarchiv::BuildToolbar()
{
    TBXToolbar1 = addToolBar(QStringLiteral("TBXToolbar1"));
    TBXToolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    TBXnacti = TBXToolbar1->addAction(QStringLiteral("Načti soubory"), this, &TFarchiv::TBXnactiClick);
    TBXapodadr = TBXToolbar1->addAction(QStringLiteral("Podadresáře"));
    TBXapodadr->setCheckable(true);
    if (QWidget* button = TBXToolbar1->widgetForAction(TBXapodadr))
        button->setStyleSheet(QStringLiteral("color: blue"));
    TBXlbat = new QLabel(QStringLiteral("  Baterie  "), TBXToolbar1);
    TBXToolbar1->addWidget(TBXlbat);
    TBXcbat = new QLineEdit(TBXToolbar1);
    TBXcbat->setPlaceholderText(QStringLiteral("baterie"));
    TBXcbat->setMaximumWidth(120);
    TBXToolbar1->addWidget(TBXcbat);
    TBXlnajdi = TBXToolbar1->addAction(QStringLiteral("Filtruj"), this, &TFarchiv::TBXlnajdiClick);
    TBXlvse = TBXToolbar1->addAction(QStringLiteral("Zobraz vše"), this, &TFarchiv::TBXlvseClick);
    TBXotevri = TBXToolbar1->addAction(QStringLiteral("Načti soubor"), this, &TFarchiv::TBXotevriClick);
    TBXtrend = TBXToolbar1->addAction(QStringLiteral("Trend"), this, &TFarchiv::TBXtrendClick);
    TBXtrend->setToolTip(QStringLiteral("Kapacita vybraných testů jedné sady baterií v čase"));
}

void TFarchiv::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        TBXapodadr->setVisible(NoArchiveFolder(state_.Settings.ArchiveFolders));
    QMainWindow::showEvent(event);
}

void TFarchiv::TBXnactiClick()
{
    sortColumn_ = -1;
    try {
        list_.ScanFolders(state_.Settings.ArchiveFolders, state_.LastDirectory, TBXapodadr->isChecked(),
                          MeasurementNumberCaption());
    } catch (const VybitorError& e) {
        ShowList(); // the rows found before the unreadable file stay
        UserReport().Message(e.text());
        return;
    }
    ShowList();
}

void TFarchiv::TBXlnajdiClick()
{
    list_.FilterByBattery(TBXcbat->text());
    ShowHiddenRows();
}

void TFarchiv::TBXlvseClick()
{
    list_.ShowAll();
    ShowHiddenRows();
}

void TFarchiv::TBXotevriClick()
{
    // The current row, not necessarily the clicked cell's; the empty list gives an empty
    // path, which the loader refuses with its file message.
    const int row = AdvStringGrid1->currentRow() + 1;
    const QString path = row >= 1 && row < list_.Grid.RowCount() ? list_.RowPath(row) : QString();
    try {
        BusyCursor busy;
        LoadTestTextFile(state_, path);
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
}

void TFarchiv::TBXtrendClick()
{
    QStringList files;
    for (const QModelIndex& index : AdvStringGrid1->selectionModel()->selectedRows()) {
        const int row = index.row() + 1;
        if (row < list_.Grid.RowCount() && !list_.Hidden[row])
            files << list_.RowPath(row);
    }
    if (files.isEmpty()) {
        UserReport().Message(QStringLiteral("Vyberte testy, jejichž kapacitu chcete sledovat."));
        return;
    }
    if (TFstav* health = Windows().Fstav)
        health->OpenTrend(files);
}

void TFarchiv::SortByTitle(int column)
{
    sortAscending_ = column == sortColumn_ ? !sortAscending_ : true;
    sortColumn_ = column;
    list_.SortByColumn(column, sortAscending_);
    ShowList();
}

void TFarchiv::ShowList()
{
    const TTextGrid& grid = list_.Grid;
    AdvStringGrid1->setUpdatesEnabled(false);
    AdvStringGrid1->clearContents();
    AdvStringGrid1->setColumnCount(grid.ColCount());
    AdvStringGrid1->setRowCount(grid.RowCount() - 1);
    QStringList titles;
    for (int c = 0; c < grid.ColCount(); ++c)
        titles << grid.Cell(c, 0);
    AdvStringGrid1->setHorizontalHeaderLabels(titles);
    for (int r = 1; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c)
            if (!grid.Cell(c, r).isEmpty())
                AdvStringGrid1->setItem(r - 1, c, new QTableWidgetItem(grid.Cell(c, r)));
    ShowHiddenRows();
    AdvStringGrid1->resizeColumnsToContents();
    AdvStringGrid1->setUpdatesEnabled(true);
}

void TFarchiv::ShowHiddenRows()
{
    for (int r = 1; r < list_.Grid.RowCount(); ++r)
        AdvStringGrid1->setRowHidden(r - 1, list_.Hidden[r]);
}

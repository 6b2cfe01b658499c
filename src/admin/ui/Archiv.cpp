#include "admin/ui/Archiv.h"

#include "admin/ArchiveFolders.h"
#include "admin/IndexFigures.h"
#include "admin/IndexListing.h"
#include "admin/IndexStore.h"
#include "admin/IndexUpdate.h"
#include "admin/ui/OnlyLiveControl.h"
#include "admin/ui/Prehled.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/Windows.h"
#include "config/ConfigFile.h"
#include "config/ui/PlacementStore.h"
#include "evaluation/ui/Stav.h"
#include "files/TestTextFile.h"
#include "i18n/TranslationRegistry.h"
#include "i18n/ui/TranslatableText.h"
#include "model/Errors.h"
#include "model/TextGridModel.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopeGuard>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace {
// Rows found are added to the grid at most this often: a repaint per file would cost
// more than the scan.
constexpr qint64 ShowRowsEveryMs = 50;
} // namespace

TFarchiv::TFarchiv(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setObjectName(QStringLiteral("Farchiv"));
    setWindowTitle(QStringLiteral("Archiv"));
    resize(800, 450);
    BuildToolbar();
    // A model over the list's grid: 10^5 rows cost no item per cell.
    rows_ = new TTextGridModel(list_.Grid, this);
    AdvStringGrid1 = new QTableView(this);
    AdvStringGrid1->setModel(rows_);
    AdvStringGrid1->verticalHeader()->hide();
    AdvStringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AdvStringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows make a trend; "Načti soubor" takes the current one.
    AdvStringGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    AdvStringGrid1->horizontalHeader()->setSectionsClickable(true);
    AdvStringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Column widths from the rows on screen and a hundred more: laying out the text of a
    // thousand rows per column cost more than listing 10^5 rows.
    AdvStringGrid1->horizontalHeader()->setResizeContentsPrecision(100);
    connect(AdvStringGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFarchiv::SortByTitle);
    connect(AdvStringGrid1, &QTableView::doubleClicked, this, [this] { TBXotevriClick(); });
    setCentralWidget(AdvStringGrid1);
    Lpocet = new QLabel(this);
    statusBar()->addWidget(Lpocet);
    // The walk knows no total beforehand: the bar moves as files are read.
    Progress = new QProgressBar(this);
    Progress->setRange(0, 0);
    Progress->setMaximumWidth(160);
    Progress->setVisible(false);
    statusBar()->addPermanentWidget(Progress);
    ShowList();
    RegisterTexts();
    new TPlacementStore(this, QStringLiteral("TFarchiv"), ProgramConfigFile().FileName());
}

void TFarchiv::RegisterTexts()
{
    const QString window = QStringLiteral("Farchiv");
    TranslateTitle(window, 1, this);
    TranslateText(window, 2, TBXnacti);
    TranslateText(window, 3, TBXstop);
    TranslateText(window, 4, TBXapodadr);
    TranslateText(window, 5, TBXlbat);
    TTranslationRegistry::Instance().Register(window, 6, TBXcbat->placeholderText(),
                                              [this](const QString& t) { TBXcbat->setPlaceholderText(t); }, TBXcbat);
    TranslateText(window, 7, TBXlnajdi);
    TranslateText(window, 8, TBXlvse);
    TranslateText(window, 9, TBXotevri);
    TranslateText(window, 10, TBXtrend);
    TranslateHint(window, 11, TBXtrend);
    const auto recount = [this] {
        if (Lpocet && !Lpocet->text().isEmpty())
            ShowCount(Scanning());
    };
    TranslateString(window, 12, scanningText_, this, recount);
    TranslateString(window, 13, stoppedText_, this, recount);
    TranslateString(window, 14, foundText_, this, recount);
    TranslateString(window, 15, noTestsText_, this);
    TranslateText(window, 23, TBXprehled);
    TranslateHint(window, 24, TBXprehled);
    // 16-22: the titles of the fixed columns (path, name, measurement, battery, ...).
    for (int c = 0; c < ArchiveFixedColumns; ++c)
        TTranslationRegistry::Instance().Register(window, 16 + c, list_.Grid.Cell(c, 0), [this, c](const QString& t) {
            list_.Grid.SetCell(c, 0, t);
            emit rows_->headerDataChanged(Qt::Horizontal, c, c);
            AdvStringGrid1->resizeColumnToContents(c);
        }, this);
}

TFarchiv::~TFarchiv()
{
    // The view outlives the list it shows (children go after the members): it lets go first.
    AdvStringGrid1->setModel(nullptr);
}

void TFarchiv::BuildToolbar()
{
    TBXToolbar1 = addToolBar(QStringLiteral("TBXToolbar1"));
    TBXToolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    TBXnacti = TBXToolbar1->addAction(QStringLiteral("Načti soubory"), this, &TFarchiv::TBXnactiClick);
    TBXstop = TBXToolbar1->addAction(QStringLiteral("Stop"), this, &TFarchiv::TBXstopClick);
    TBXstop->setVisible(false);
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
    TBXprehled = TBXToolbar1->addAction(QStringLiteral("Přehled"), this, [] {
        if (TFprehled* fleet = Windows().Fprehled)
            fleet->Open();
    });
    TBXprehled->setToolTip(QStringLiteral("Přehled sad baterií"));
}

void TFarchiv::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        TBXapodadr->setVisible(NoArchiveFolder(state_.Settings.ArchiveFolders));
    QMainWindow::showEvent(event);
}

void TFarchiv::TBXnactiClick()
{
    if (Scanning())
        return;
    sortColumn_ = -1;
    QStringList messages;
    {
        SetScanning(true);
        const auto scanEnds = qScopeGuard([this] { SetScanning(false); });
        try {
            messages = ListThroughIndex();
        } catch (const VybitorError& e) {
            // Without a usable index (a server not reached, a folder not writable, two folders
            // of one name) the files are read as before; the rows found before an unreadable
            // file stay.
            messages << e.text();
            rows_->SetRowLimit(0);
            try {
                list_.ScanFolders(state_, TBXapodadr->isChecked(), [this] { return ScanStep(); });
            } catch (const VybitorError& scanError) {
                messages << scanError.text();
            }
            CompleteList();
        }
    }
    ShowCount(false);
    if (!messages.isEmpty())
        UserReport().Message(messages.join(QLatin1Char('\n')));
}

QStringList TFarchiv::ListThroughIndex()
{
    TIndexStore store(ConfiguredIndexLocation(ProgramConfigFile()));
    QStringList messages;
    if (!store.Notice().isEmpty())
        messages << store.Notice();
    const std::vector<TArchiveFolder> folders =
        ArchiveRunFolders(state_.Settings.ArchiveFolders, state_.LastDirectory, TBXapodadr->isChecked());
    // What the index holds is shown at once, so the rows of an unchanged archive are there
    // before the walk has seen every entry; they are listed again only when the walk
    // changed something.
    ListFromIndex(store, folders, state_.Captions.Lcislo_mereni, list_);
    CompleteList();
    const TIndexRun run = UpdateIndex(store, folders, CurrentIndexInputs(state_),
                                      [this](qint64 seen, qint64 read) { return IndexStep(seen, read); });
    if (run.Added + run.Changed + run.Dropped > 0) {
        rows_->SetRowLimit(0);
        ListFromIndex(store, folders, state_.Captions.Lcislo_mereni, list_);
        CompleteList();
    }
    constexpr int NamedAtMost = 10;
    if (!run.Unreadable.isEmpty())
        messages << QStringLiteral("Nelze číst (%1):\n%2")
                        .arg(run.Unreadable.size())
                        .arg(run.Unreadable.mid(0, NamedAtMost).join(QLatin1Char('\n')));
    return messages;
}

bool TFarchiv::IndexStep(qint64 seen, qint64 read)
{
    if (!sinceRowsShown_.isValid() || sinceRowsShown_.elapsed() >= ShowRowsEveryMs) {
        if (!sinceRowsShown_.isValid())
            QApplication::changeOverrideCursor(Qt::BusyCursor);
        Lpocet->setText(QStringLiteral("Procházím archiv… položek: %1, načteno souborů: %2").arg(seen).arg(read));
        Progress->setValue(int(std::min<qint64>(read, Progress->maximum())));
        sinceRowsShown_.start();
        QApplication::processEvents();
    }
    return !stopPressed_;
}

void TFarchiv::TBXstopClick()
{
    stopPressed_ = true;
}

void TFarchiv::SetScanning(bool on)
{
    for (QAction* command : {TBXnacti, TBXapodadr, TBXlnajdi, TBXlvse, TBXotevri, TBXtrend})
        command->setEnabled(!on);
    TBXcbat->setEnabled(!on);
    AdvStringGrid1->horizontalHeader()->setSectionsClickable(!on);
    TBXstop->setVisible(on);
    Progress->setVisible(on);
    if (on) {
        stopPressed_ = false;
        sinceRowsShown_.invalidate();
        rows_->SetRowLimit(0);
        ShowCount(true);
        liveStop_ = std::make_unique<TOnlyLiveControl>(TBXToolbar1->widgetForAction(TBXstop));
    } else {
        liveStop_.reset();
    }
}

bool TFarchiv::ScanStep()
{
    if (!sinceRowsShown_.isValid()) // "Stop" answers: the pointer says busy, not blocked
        QApplication::changeOverrideCursor(Qt::BusyCursor);
    const bool firstFound = rows_->rowCount() == 0 && list_.RowsFound() > 0;
    if (firstFound || !sinceRowsShown_.isValid() || sinceRowsShown_.elapsed() >= ShowRowsEveryMs) {
        ShowRows(list_.RowsFound());
        ShowCount(true);
        sinceRowsShown_.start();
    }
    QApplication::processEvents();
    return !stopPressed_;
}

void TFarchiv::ShowCount(bool scanning)
{
    const QString count = QString::number(list_.RowsFound());
    if (scanning)
        Lpocet->setText(scanningText_.arg(count));
    else if (stopPressed_)
        Lpocet->setText(stoppedText_.arg(count));
    else
        Lpocet->setText(foundText_.arg(count));
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
    const int row = AdvStringGrid1->currentIndex().row() + 1;
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
        UserReport().Message(noTestsText_);
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
    rows_->SetRowLimit(0);
    CompleteList();
}

void TFarchiv::CompleteList()
{
    AdvStringGrid1->setUpdatesEnabled(false);
    // The empty list keeps its one empty row.
    ShowRows(-1);
    ShowHiddenRows();
    AdvStringGrid1->resizeColumnsToContents();
    AdvStringGrid1->setUpdatesEnabled(true);
}

void TFarchiv::ShowRows(int rows)
{
    if (AdvStringGrid1->horizontalHeader()->count() != list_.Grid.ColCount())
        rows_->Reload();
    rows_->SetRowLimit(rows);
}

void TFarchiv::ShowHiddenRows()
{
    for (int r = 1; r < list_.Grid.RowCount(); ++r)
        AdvStringGrid1->setRowHidden(r - 1, list_.Hidden[r]);
}

#include "admin/ui/Prehled.h"

#include "admin/IndexListing.h"
#include "admin/IndexStore.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/Windows.h"
#include "config/ConfigFile.h"
#include "config/ui/PlacementStore.h"
#include "evaluation/ui/Stav.h"
#include "i18n/TranslationRegistry.h"
#include "i18n/ui/TranslatableText.h"
#include "model/Errors.h"
#include "presentation/FleetReport.h"
#include "presentation/ReportPage.h"
#include "presentation/ui/ReportPreview.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>

namespace {
const QString Window = QStringLiteral("Fprehled");
// Ids of the window's texts in its language-file section; the column titles follow.
// The column titles follow FirstTitleText; the count in the status line comes after them.
enum TextId { CaptionText = 1, RefreshText, PrintText, PdfText, LocalityText, AllLocalitiesText, FirstTitleText, CountText = 30 };
} // namespace

TFprehled::TFprehled(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setObjectName(Window);
    resize(1100, 500);
    TBXToolbar1 = addToolBar(QStringLiteral("TBXToolbar1"));
    TBXToolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    TBXobnov = TBXToolbar1->addAction(QString(), this, &TFprehled::TBXobnovClick);
    auto* locality = new QLabel(TBXToolbar1);
    TBXToolbar1->addWidget(locality);
    Clokalita = new QComboBox(TBXToolbar1);
    Clokalita->setMinimumContentsLength(20);
    TBXToolbar1->addWidget(Clokalita);
    connect(Clokalita, &QComboBox::currentIndexChanged, this, [this] { ShowRows(); });
    TBXtisk = TBXToolbar1->addAction(QString(), this, &TFprehled::TBXtiskClick);
    TBXpdf = TBXToolbar1->addAction(QString(), this, &TFprehled::TBXpdfClick);

    Gsady = new QTableWidget(this);
    Gsady->verticalHeader()->hide();
    Gsady->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Gsady->setSelectionBehavior(QAbstractItemView::SelectRows);
    Gsady->setSelectionMode(QAbstractItemView::SingleSelection);
    Gsady->setColumnCount(int(FleetTitles().size()));
    connect(Gsady, &QTableWidget::cellDoubleClicked, this, [this](int row) { OpenTrendOfRow(row); });
    setCentralWidget(Gsady);
    Lstav = new QLabel(this);
    statusBar()->addWidget(Lstav);
    ChoosePdfPath = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, QString(), proposed, QStringLiteral("PDF (*.pdf)"));
    };
    Clokalita->addItem(QString());
    RegisterTexts();
    TTranslationRegistry::Instance().Register(Window, LocalityText, QStringLiteral("  Lokalita  "),
                                              [locality](const QString& t) { locality->setText(t); }, this);
    new TPlacementStore(this, QStringLiteral("TFprehled"), ProgramConfigFile().FileName());
}

void TFprehled::RegisterTexts()
{
    TTranslationRegistry& registry = TTranslationRegistry::Instance();
    registry.Register(Window, CaptionText, FleetTitle, [this](const QString& t) { setWindowTitle(t); }, this);
    registry.Register(Window, RefreshText, QStringLiteral("Obnov"), [this](const QString& t) { TBXobnov->setText(t); }, this);
    registry.Register(Window, PrintText, QStringLiteral("Tisk"), [this](const QString& t) { TBXtisk->setText(t); }, this);
    registry.Register(Window, PdfText, QStringLiteral("PDF"), [this](const QString& t) { TBXpdf->setText(t); }, this);
    registry.Register(Window, AllLocalitiesText, QStringLiteral("všechny lokality"),
                      [this](const QString& t) { Clokalita->setItemText(0, t); }, this);
    for (int c = 0; c < int(FleetTitles().size()); ++c)
        registry.Register(Window, FirstTitleText + c, FleetTitles()[c], [this, c](const QString& t) {
            Gsady->setHorizontalHeaderItem(c, new QTableWidgetItem(t));
        }, this);
    TranslateString(Window, CountText, countText_, this, [this] {
        if (!Lstav->text().isEmpty())
            ShowRows();
    });
}

void TFprehled::Open()
{
    TBXobnovClick();
    show();
    raise();
    activateWindow();
}

void TFprehled::TBXobnovClick()
{
    try {
        BusyCursor busy;
        TIndexStore store(ConfiguredIndexLocation(ProgramConfigFile()));
        TFleetOptions options = ConfiguredFleetOptions(ProgramConfigFile(), state_);
        options.Today = Today;
        rows_ = FleetTable(store, options);
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
    const QString chosen = Clokalita->currentIndex() > 0 ? Clokalita->currentText() : QString();
    const QSignalBlocker quiet(Clokalita);
    while (Clokalita->count() > 1)
        Clokalita->removeItem(1);
    Clokalita->addItems(FleetLocalities(rows_));
    Clokalita->setCurrentIndex(std::max(0, Clokalita->findText(chosen)));
    ShowRows();
}

std::vector<TFleetRow> TFprehled::Shown() const
{
    std::vector<TFleetRow> shown;
    for (const TFleetRow& row : rows_)
        if (Clokalita->currentIndex() <= 0 || row.Locality == Clokalita->currentText())
            shown.push_back(row);
    return shown;
}

void TFprehled::ShowRows()
{
    const std::vector<TFleetRow> shown = Shown();
    Gsady->setRowCount(int(shown.size()));
    for (int r = 0; r < int(shown.size()); ++r) {
        const QStringList texts = FleetRowTexts(shown[size_t(r)]);
        for (int c = 0; c < texts.size(); ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c == 2 || c == 5 || c == 6)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (shown[size_t(r)].Overdue && c >= 9)
                item->setForeground(Qt::red);
            Gsady->setItem(r, c, item);
        }
    }
    Gsady->resizeColumnsToContents();
    Lstav->setText(countText_.arg(shown.size()).arg(rows_.size()));
}

void TFprehled::OpenTrendOfRow(int row)
{
    const std::vector<TFleetRow> shown = Shown();
    if (row < 0 || row >= int(shown.size()))
        return;
    const TFleetRow& set = shown[size_t(row)];
    QStringList files;
    try {
        TIndexStore store(ConfiguredIndexLocation(ProgramConfigFile()));
        files = SetTestFiles(store, state_.Settings.ArchiveFolders, set.Set, set.Locality);
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
        return;
    }
    if (TFstav* health = Windows().Fstav)
        health->OpenTrend(files);
}

void TFprehled::TBXtiskClick()
{
    delete dialog_;
    printed_ = Shown();
    PrepareReportDevice(printer_, true);
    dialog_ = OpenReportPreview(printer_, FleetTitle,
                                [this](QPrinter& printer) { PrintFleetReport(printer, printed_, Today); });
}

void TFprehled::TBXpdfClick()
{
    const QString path = ChoosePdfPath(state_.LastDirectory + FleetTitle + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    try {
        WriteFleetReportPdf(path, Shown(), Today);
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
}

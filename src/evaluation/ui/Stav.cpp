#include "evaluation/ui/Stav.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "config/ConfigFile.h"
#include "config/ui/PlacementStore.h"
#include "i18n/TranslationRegistry.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"
#include "presentation/ui/ReportPreview.h"
#include "evaluation/ui/StavWidgets.h"

#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <qcustomplot.h>

TFstav::TFstav(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setObjectName(QStringLiteral("Fstav"));
    resize(900, 640);
    QToolBar* bar = addToolBar(QStringLiteral("TBXToolbar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    TBXtisk = bar->addAction(QString(), this, &TFstav::TBXtiskClick);
    TBXpdf = bar->addAction(QString(), this, &TFstav::TBXpdfClick);

    Pages = new QTabWidget(this);
    Pages->addTab(BuildTestPage(), QString());
    Pages->addTab(BuildTrendPage(), QString());
    Pages->addTab(BuildComparePage(), QString());
    setCentralWidget(Pages);
    connect(Pages, &QTabWidget::currentChanged, this, &TFstav::UpdateReportActions);
    RegisterTexts();

    ChoosePdfPath = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, QString(), proposed, QStringLiteral("PDF (*.pdf)"));
    };
    for (auto signal : {&TProgramState::TextsChanged, &TProgramState::ChoicesChanged, &TProgramState::HealthSettingsChanged})
        connect(&state_, signal, this, &TFstav::RefreshIfVisible);
    new TPlacementStore(this, QStringLiteral("TFstav"), ProgramConfigFile().FileName());
}

void TFstav::Translate(THealthText id, std::function<void(const QString&)> setter)
{
    // One registry entry per id and owner: a text shown in several places sets them all.
    std::vector<std::function<void(const QString&)>>& all = setters_[id];
    all.push_back(std::move(setter));
    TTranslationRegistry::Instance().Register(
        QStringLiteral("Fstav"), int(id), HealthDesignText(id),
        [&all](const QString& text) {
            for (const auto& set : all)
                set(text);
        },
        this);
}

void TFstav::RegisterTexts()
{
    Translate(THealthText::Print, [this](const QString& t) { TBXtisk->setText(t); });
    Translate(THealthText::Pdf, [this](const QString& t) { TBXpdf->setText(t); });
    Translate(THealthText::PdfHint, [this](const QString& t) { TBXpdf->setToolTip(t); });
    const THealthText pages[] = {THealthText::TestPage, THealthText::TrendPage, THealthText::ComparePage};
    for (int i = 0; i < 3; ++i)
        Translate(pages[i], [this, i](const QString& t) { Pages->setTabText(i, t); });
    const THealthText columns[] = {THealthText::Battery, THealthText::MinutesToEnd, THealthText::VoltageAtEnd,
                                   THealthText::CapacityPct, THealthText::State};
    for (int i = 0; i < 5; ++i)
        Translate(columns[i], [this, i](const QString& t) { Gbaterie->setHorizontalHeaderItem(i, new QTableWidgetItem(t)); });
    RegisterTrendTexts();
    // Registered last: a language switch has set every static text when the figures are shown anew.
    Translate(THealthText::Title, [this](const QString& t) {
        setWindowTitle(t);
        RefreshIfVisible();
        if (!trend_.Tests.empty())
            ShowTrend();
    });
}

QWidget* TFstav::BuildTestPage()
{
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 6, 6, 6);
    Lsouhrn = new QLabel(page);
    Lsouhrn->setObjectName(QStringLiteral("Lsouhrn"));
    Lsouhrn->setWordWrap(true);
    column->addWidget(Lsouhrn);
    // The table above the chart, both as wide as the window: beside the chart, the state
    // column with the weak battery's reasons was cut off at the window's usual size, and
    // 108 bars want the width as much.
    auto* split = new QSplitter(Qt::Vertical, page);
    Gbaterie = new QTableWidget(0, 5, split);
    Gbaterie->setObjectName(QStringLiteral("Gbaterie"));
    Gbaterie->horizontalHeader()->setStretchLastSection(true);
    Gbaterie->verticalHeader()->hide();
    Gbaterie->verticalHeader()->setDefaultSectionSize(Gbaterie->fontMetrics().height() + 6);
    Gbaterie->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Gbaterie->setSelectionBehavior(QAbstractItemView::SelectRows);
    Chart = NewChart(split, QStringLiteral("Chart"));
    // The legend in one row above the plot: inside it, it covered the first bars.
    Chart->plotLayout()->insertRow(0);
    Chart->plotLayout()->addElement(0, 0, Chart->legend);
    Chart->plotLayout()->setRowStretchFactor(0, 0.001);
    Chart->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    Chart->legend->setBorderPen(Qt::NoPen);
    split->addWidget(Gbaterie);
    split->addWidget(Chart);
    split->setSizes({300, 260});
    column->addWidget(split, 1);
    Lzaver = new QLabel(page);
    Lzaver->setObjectName(QStringLiteral("Lzaver"));
    Lzaver->setWordWrap(true);
    Lzaver->setStyleSheet(QStringLiteral("color: #900000"));
    column->addWidget(Lzaver);
    return page;
}

TFstav::~TFstav()
{
    delete dialog_;
}

void TFstav::Open()
{
    show();
    raise();
    activateWindow();
}

void TFstav::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        ShowHealth();
    QMainWindow::showEvent(event);
}

void TFstav::RefreshIfVisible()
{
    // Hidden, it evaluates nothing: the load chain does not pay for a window nobody sees.
    if (isVisible())
        ShowHealth();
}

void TFstav::ShowHealth()
{
    const THealthOutcome outcome = LoadedTestHealth(state_);
    health_ = outcome.Health;
    UpdateReportActions();
    if (!health_) {
        Lsouhrn->setText(outcome.Problem);
        Lzaver->clear();
        Gbaterie->setRowCount(0);
        Chart->clearPlottables();
        Chart->clearItems();
        Chart->replot();
        return;
    }
    const TStringHealth& h = *health_;
    const auto weak = std::count_if(h.Batteries.begin(), h.Batteries.end(), [](const TBatteryHealth& b) { return b.Weak; });
    QString summary = HealthSummaryText(h, int(weak));
    if (const QString verdict = state_.Texts.Hhodnoceni; !verdict.isEmpty())
        summary += QStringLiteral("   ") + verdict;
    Lsouhrn->setText(summary);
    Lzaver->setText(HealthNotes(h).join(QLatin1Char('\n')));
    ShowTable(h);
    ShowChart(h);
}

void TFstav::ShowTable(const TStringHealth& h)
{
    const std::vector<int> order = WeakestFirst(h);
    Gbaterie->setUpdatesEnabled(false);
    Gbaterie->setRowCount(int(order.size()));
    for (int row = 0; row < int(order.size()); ++row) {
        const TBatteryHealth& b = h.Batteries[size_t(order[size_t(row)])];
        Gbaterie->setItem(row, 0, Cell(QString::number(b.Number)));
        Gbaterie->setItem(row, 1, Cell(b.Reached ? FormatLocale("%.1f", b.SecondsToEnd / 60.0) : QStringLiteral("—")));
        Gbaterie->setItem(row, 2, Cell(FormatLocale("%.2f", b.VoltageAtEnd)));
        Gbaterie->setItem(row, 3, Cell(CapacityText(b)));
        Gbaterie->setItem(row, 4, Cell(BatteryStateText(b), Qt::AlignLeft | Qt::AlignVCenter));
        for (int col = 0; col < Gbaterie->columnCount(); ++col)
            if (b.Weak) {
                Gbaterie->item(row, col)->setBackground(WeakRowColour);
                Gbaterie->item(row, col)->setForeground(WeakColour);
            }
    }
    Gbaterie->resizeColumnsToContents();
    Gbaterie->setUpdatesEnabled(true);
}

void TFstav::ShowChart(const TStringHealth& h)
{
    Chart->clearPlottables();
    Chart->clearItems();
    // Measured capacities, lower bounds of batteries that did not reach their end voltage
    // (paler, never a measurement), and the weak ones in red.
    auto* measured = new QCPBars(Chart->xAxis, Chart->yAxis);
    auto* atLeast = new QCPBars(Chart->xAxis, Chart->yAxis);
    auto* weak = new QCPBars(Chart->xAxis, Chart->yAxis);
    measured->setName(HealthText(THealthText::Measured));
    atLeast->setName(HealthText(THealthText::AtLeastBar));
    weak->setName(HealthText(THealthText::Weak));
    measured->setBrush(BarColour);
    atLeast->setBrush(AtLeastColour);
    weak->setBrush(WeakColour);
    for (QCPBars* bars : {measured, atLeast, weak})
        bars->setPen(Qt::NoPen);
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    const int n = int(h.Batteries.size());
    const int labelEvery = n <= 20 ? 1 : n <= 60 ? 5 : 10;
    double top = 100;
    for (int i = 0; i < n; ++i) {
        const TBatteryHealth& b = h.Batteries[size_t(i)];
        const double shown = b.Reached ? b.CapacityPct : b.CapacityAtLeast;
        (b.Weak ? weak : b.Reached ? measured : atLeast)->addData(i + 1, shown);
        if (LabelledOnChart(h, size_t(i), labelEvery))
            ticker->addTick(i + 1, QString::number(b.Number));
        if (std::isfinite(shown))
            top = std::max(top, shown);
    }
    Chart->xAxis->setTicker(ticker);
    Chart->xAxis->setLabel(HealthText(THealthText::Battery));
    Chart->yAxis->setLabel(HealthText(THealthText::CapacityPct));
    Chart->xAxis->setRange(0, n + 1);
    Chart->yAxis->setRange(0, top * 1.08);
    // The median labelled at the left, the threshold at the right: the two often lie close.
    const auto level = [&](double value, const QPen& pen, const QString& text, Qt::Alignment side) {
        if (!std::isfinite(value))
            return;
        auto* line = new QCPItemStraightLine(Chart);
        line->point1->setCoords(0, value);
        line->point2->setCoords(1, value);
        line->setPen(pen);
        auto* label = new QCPItemText(Chart);
        label->position->setType(QCPItemPosition::ptAxisRectRatio);
        label->position->setTypeY(QCPItemPosition::ptPlotCoords);
        label->position->setCoords(side == Qt::AlignLeft ? 0.01 : 0.99, value);
        label->setPositionAlignment(side | Qt::AlignBottom);
        label->setText(text);
        label->setColor(pen.color());
    };
    level(h.Median, QPen(QColor(0, 110, 0), 2), HealthText(THealthText::Median).arg(FormatLocale("%.1f", h.Median)), Qt::AlignLeft);
    level(h.Threshold, QPen(WeakColour, 1, Qt::DashLine), HealthText(THealthText::Threshold).arg(FormatLocale("%g", h.Threshold)),
          Qt::AlignRight);
    Chart->legend->setVisible(true);
    Chart->replot();
}

bool TFstav::TrendShown() const
{
    return Pages->currentIndex() == TrendPage && !trend_.Tests.empty();
}

void TFstav::UpdateReportActions()
{
    const bool report = TrendShown() || (Pages->currentIndex() != TrendPage && health_);
    TBXtisk->setEnabled(report);
    TBXpdf->setEnabled(report);
}

void TFstav::TBXtiskClick()
{
    const bool trend = TrendShown();
    if (!trend && !health_)
        return;
    delete dialog_;
    PrepareReportDevice(printer_, false);
    if (trend) {
        trendContent_ = PrepareTrendReport(trend_, state_.Settings.Health.AcceptanceThreshold, QDate::currentDate());
        dialog_ = OpenReportPreview(printer_, HealthText(THealthText::TrendTitle),
                                    [this](QPrinter& printer) { PrintTrendReport(printer, trendContent_); });
        return;
    }
    content_ = PrepareHealthReport(state_, *health_);
    dialog_ = OpenReportPreview(printer_, HealthText(THealthText::Title), [this](QPrinter& printer) { PrintHealthReport(printer, content_); });
}

void TFstav::TBXpdfClick()
{
    const bool trend = TrendShown();
    if (!trend && !health_)
        return;
    const QString title = HealthText(trend ? THealthText::TrendTitle : THealthText::Title);
    const QString path = ChoosePdfPath(state_.LastDirectory + title + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    try {
        if (trend)
            WriteTrendReportPdf(path, PrepareTrendReport(trend_, state_.Settings.Health.AcceptanceThreshold, QDate::currentDate()));
        else
            WriteHealthReportPdf(path, PrepareHealthReport(state_, *health_));
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
}

#include "evaluation/ui/Stav.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "config/ConfigFile.h"
#include "config/ui/PlacementStore.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"
#include "presentation/ui/ReportPreview.h"
#include "evaluation/ui/StavWidgets.h"
#include "i18n/TranslationRegistry.h"
#include "i18n/ui/TranslatableText.h"

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
#include <qcustomplot.h>

TFstav::TFstav(TProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setObjectName(QStringLiteral("Fstav"));
    setWindowTitle(HealthTitle);
    resize(900, 640);
    QToolBar* bar = addToolBar(QStringLiteral("TBXToolbar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    TBXtisk = bar->addAction(QStringLiteral("Tisk"), this, &TFstav::TBXtiskClick);
    TBXpdf = bar->addAction(QStringLiteral("PDF"), this, &TFstav::TBXpdfClick);
    TBXpdf->setToolTip(QStringLiteral("Uložit zprávu o stavu baterií jako PDF"));

    Pages = new QTabWidget(this);
    Pages->addTab(BuildTestPage(), QStringLiteral("Zkouška"));
    Pages->addTab(BuildTrendPage(), QStringLiteral("Trend"));
    Pages->addTab(BuildComparePage(), QStringLiteral("Porovnání"));
    setCentralWidget(Pages);
    RegisterTexts();

    ChoosePdfPath = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, QString(), proposed, QStringLiteral("PDF (*.pdf)"));
    };
    for (auto signal : {&TProgramState::TextsChanged, &TProgramState::ChoicesChanged, &TProgramState::HealthSettingsChanged})
        connect(&state_, signal, this, &TFstav::RefreshIfVisible);
    new TPlacementStore(this, QStringLiteral("TFstav"), ProgramConfigFile().FileName());
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
    auto* split = new QSplitter(Qt::Horizontal, page);
    Gbaterie = new QTableWidget(0, 5, split);
    Gbaterie->setObjectName(QStringLiteral("Gbaterie"));
    Gbaterie->setHorizontalHeaderLabels({QStringLiteral("Baterie"), QStringLiteral("Čas do konečného napětí [min]"),
                                         QStringLiteral("Napětí na konci [V]"), QStringLiteral("Kapacita [%]"),
                                         QStringLiteral("Stav")});
    Gbaterie->verticalHeader()->hide();
    Gbaterie->verticalHeader()->setDefaultSectionSize(Gbaterie->fontMetrics().height() + 6);
    Gbaterie->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Gbaterie->setSelectionBehavior(QAbstractItemView::SelectRows);
    Chart = NewChart(split, QStringLiteral("Chart"));
    split->addWidget(Gbaterie);
    split->addWidget(Chart);
    split->setSizes({420, 460});
    column->addWidget(split, 1);
    return page;
}

void TFstav::RegisterTexts()
{
    const QString window = QStringLiteral("Fstav");
    TranslateTitle(window, 1, this);
    TranslateText(window, 2, TBXtisk);
    TranslateText(window, 3, TBXpdf);
    TranslateHint(window, 4, TBXpdf);
    for (int page = 0; page < Pages->count(); ++page)
        TranslateTab(window, 5 + page, Pages, page);
    for (int column = 0; column < Gbaterie->columnCount(); ++column)
        TranslateHeader(window, 8 + column, Gbaterie, column);
    TranslateText(window, 13, Ltrend);
    for (int column = 0; column < Gtesty->columnCount(); ++column)
        TranslateHeader(window, 14 + column, Gtesty, column);
    TranslateText(window, 18, TBXporovnej);
    TranslateHint(window, 19, Gteplo);
    for (int column = 0; column < Gpokles->columnCount(); ++column)
        TranslateHeader(window, 20 + column, Gpokles, column);
    const auto again = [this] { RefreshIfVisible(); };
    TranslateString(window, 24, summaryFigures_, this, again);
    TranslateString(window, 25, summaryMedian_, this, again);
    TranslateString(window, 26, summaryWeak_, this, again);
    TranslateString(window, 27, weakMark_, this, again);
    TranslateString(window, 39, notReachedMark_, this, again);
    TranslateString(window, 28, medianLine_, this, again);
    TranslateString(window, 29, weakLine_, this, again);
    TranslateString(window, 30, batteryAxis_, this, again);
    TranslateString(window, 31, capacityAxis_, this, again);
    const auto trendAgain = [this] {
        if (!trend_.Tests.empty())
            ShowTrend();
    };
    TranslateString(window, 32, skippedText_, this, trendAgain);
    TranslateString(window, 33, totalVoltageItem_, this, trendAgain);
    TranslateString(window, 34, batteryItem_, this, trendAgain);
    TranslateString(window, 35, stringCapacity_, this, trendAgain);
    TranslateString(window, 36, testDateAxis_, this, trendAgain);
    const auto axis = [&](int id, QCPAxis* shown) {
        TTranslationRegistry::Instance().Register(window, id, shown->label(), [this, shown](const QString& t) {
            shown->setLabel(t);
            CompareChart->replot();
        }, this);
    };
    axis(37, CompareChart->xAxis);
    axis(38, CompareChart->yAxis);
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
    TBXtisk->setEnabled(bool(health_));
    TBXpdf->setEnabled(bool(health_));
    if (!health_) {
        Lsouhrn->setText(outcome.Problem);
        Gbaterie->setRowCount(0);
        Chart->clearPlottables();
        Chart->clearItems();
        Chart->replot();
        return;
    }
    const TStringHealth& h = *health_;
    int weak = 0;
    for (const TBatteryHealth& b : h.Batteries)
        weak += b.Weak ? 1 : 0;
    Lsouhrn->setText(FormatLocale(summaryFigures_.toUtf8().constData(), {h.BatteryEndVoltage, h.StringPct})
                     + FormatLocale(summaryMedian_.toUtf8().constData(), {h.Median, h.WeakShare})
                     + summaryWeak_.arg(weak).arg(h.Batteries.size()));
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
        Gbaterie->setItem(row, 3, Cell(FormatLocale("%.1f", b.CapacityPct)));
        QStringList marks;
        if (b.Weak)
            marks << weakMark_;
        if (!b.Reached)
            marks << notReachedMark_;
        Gbaterie->setItem(row, 4, Cell(marks.join(QStringLiteral(", ")), Qt::AlignLeft | Qt::AlignVCenter));
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
    auto* normal = new QCPBars(Chart->xAxis, Chart->yAxis);
    auto* weak = new QCPBars(Chart->xAxis, Chart->yAxis);
    normal->setName(capacityAxis_);
    weak->setName(weakMark_);
    normal->setBrush(BarColour);
    weak->setBrush(WeakColour);
    normal->setPen(Qt::NoPen);
    weak->setPen(Qt::NoPen);
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    const int n = int(h.Batteries.size());
    const int labelEvery = n <= 20 ? 1 : n <= 60 ? 5 : 10;
    double top = 100;
    for (int i = 0; i < n; ++i) {
        const TBatteryHealth& b = h.Batteries[size_t(i)];
        (b.Weak ? weak : normal)->addData(i + 1, b.CapacityPct);
        if (i % labelEvery == 0 || b.Weak)
            ticker->addTick(i + 1, QString::number(b.Number));
        if (std::isfinite(b.CapacityPct))
            top = std::max(top, b.CapacityPct);
    }
    Chart->xAxis->setTicker(ticker);
    Chart->xAxis->setLabel(batteryAxis_);
    Chart->yAxis->setLabel(capacityAxis_);
    Chart->xAxis->setRange(0, n + 1);
    Chart->yAxis->setRange(0, top * 1.08);
    const auto level = [&](double value, const QPen& pen, const QString& text) {
        auto* line = new QCPItemStraightLine(Chart);
        line->point1->setCoords(0, value);
        line->point2->setCoords(1, value);
        line->setPen(pen);
        auto* label = new QCPItemText(Chart);
        label->position->setType(QCPItemPosition::ptAxisRectRatio);
        label->position->setTypeY(QCPItemPosition::ptPlotCoords);
        label->position->setCoords(0.99, value);
        label->setPositionAlignment(Qt::AlignRight | Qt::AlignBottom);
        label->setText(text);
        label->setColor(pen.color());
    };
    level(h.Median, QPen(QColor(0, 110, 0), 2), FormatLocale(medianLine_.toUtf8().constData(), h.Median));
    const double limit = h.Median * h.WeakShare / 100;
    level(limit, QPen(WeakColour, 1, Qt::DashLine), FormatLocale(weakLine_.toUtf8().constData(), limit));
    Chart->legend->setVisible(true);
    Chart->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignLeft);
    Chart->replot();
}

void TFstav::TBXtiskClick()
{
    if (!health_)
        return;
    delete dialog_;
    content_ = PrepareHealthReport(state_, *health_);
    PrepareReportDevice(printer_, false);
    dialog_ = OpenReportPreview(printer_, HealthTitle, [this](QPrinter& printer) { PrintHealthReport(printer, content_); });
}

void TFstav::TBXpdfClick()
{
    if (!health_)
        return;
    const QString proposed = state_.LastDirectory + HealthTitle + QStringLiteral(".pdf");
    const QString path = ChoosePdfPath(proposed);
    if (path.isEmpty())
        return;
    try {
        WriteHealthReportPdf(path, PrepareHealthReport(state_, *health_));
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
}

// The trend and comparison pages of the battery health window.
#include "evaluation/ui/Stav.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/ui/StavWidgets.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr int FallerCount = 10;

QTableWidget* NewTable(QWidget* parent, const QString& name, int columns)
{
    auto* table = new QTableWidget(0, columns, parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}

// Days on the chart's axis: dates keep their spacing.
double DayOf(const QDate& date)
{
    return double(date.toJulianDay());
}

// Red below 70 %, through yellow at 85 % to green from 100 %.
QColor HeatColour(double pct)
{
    const QColor red(225, 80, 70), yellow(250, 215, 100), green(120, 195, 120);
    const auto mix = [](const QColor& a, const QColor& b, double f) {
        return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * f), float(a.greenF() + (b.greenF() - a.greenF()) * f),
                                float(a.blueF() + (b.blueF() - a.blueF()) * f));
    };
    if (pct <= 85)
        return mix(red, yellow, std::clamp((pct - 70) / 15, 0.0, 1.0));
    return mix(yellow, green, std::clamp((pct - 85) / 15, 0.0, 1.0));
}

QString DateText(const TTrendTest& t)
{
    return ShortDateText(t.Start.date());
}
} // namespace

QWidget* TFstav::BuildTrendPage()
{
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 6, 6, 6);
    Ltrend = new QLabel(page);
    Ltrend->setObjectName(QStringLiteral("Ltrend"));
    Ltrend->setWordWrap(true);
    column->addWidget(Ltrend);
    Lprognoza = new QLabel(page);
    Lprognoza->setObjectName(QStringLiteral("Lprognoza"));
    Lprognoza->setStyleSheet(QStringLiteral("font-weight: bold"));
    column->addWidget(Lprognoza);

    auto* rows = new QSplitter(Qt::Vertical, page);
    auto* upper = new QSplitter(Qt::Horizontal, rows);
    TrendChart = NewChart(upper, QStringLiteral("TrendChart"));
    auto* tests = new QWidget(upper);
    auto* testsColumn = new QVBoxLayout(tests);
    testsColumn->setContentsMargins(0, 0, 0, 0);
    Gtesty = NewTable(tests, QStringLiteral("Gtesty"), 4);
    Gtesty->setSelectionBehavior(QAbstractItemView::SelectRows);
    Gtesty->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Gtesty->verticalHeader()->hide();
    testsColumn->addWidget(Gtesty, 1);
    auto* compare = new QHBoxLayout;
    Cporovnani = new QComboBox(tests);
    Cporovnani->setObjectName(QStringLiteral("Cporovnani"));
    TBXporovnej = new QPushButton(tests);
    TBXporovnej->setObjectName(QStringLiteral("TBXporovnej"));
    compare->addWidget(Cporovnani, 1);
    compare->addWidget(TBXporovnej);
    testsColumn->addLayout(compare);
    upper->addWidget(TrendChart);
    upper->addWidget(tests);
    upper->setStretchFactor(0, 3);
    upper->setStretchFactor(1, 2);

    auto* lower = new QSplitter(Qt::Horizontal, rows);
    Gteplo = NewTable(lower, QStringLiteral("Gteplo"), 0);
    Gpokles = NewTable(lower, QStringLiteral("Gpokles"), 4);
    Gpokles->verticalHeader()->hide();
    lower->addWidget(Gteplo);
    lower->addWidget(Gpokles);
    lower->setStretchFactor(0, 3);
    lower->setStretchFactor(1, 1);
    rows->addWidget(upper);
    rows->addWidget(lower);
    column->addWidget(rows, 1);
    connect(TBXporovnej, &QPushButton::clicked, this, &TFstav::TBXporovnejClick);
    return page;
}

QWidget* TFstav::BuildComparePage()
{
    CompareChart = NewChart(this, QStringLiteral("CompareChart"));
    CompareChart->legend->setVisible(true);
    CompareChart->plotLayout()->insertRow(0);
    CompareChart->plotLayout()->addElement(0, 0, new QCPTextElement(CompareChart, QString(), QFont(font().family(), 11, QFont::Bold)));
    return CompareChart;
}

void TFstav::RegisterTrendTexts()
{
    Translate(THealthText::TrendHint, [this](const QString& t) {
        if (trend_.Tests.empty())
            Ltrend->setText(t);
    });
    const auto header = [this](QTableWidget* table, int column, THealthText id) {
        Translate(id, [table, column](const QString& t) { table->setHorizontalHeaderItem(column, new QTableWidgetItem(t)); });
    };
    header(Gtesty, 0, THealthText::Date);
    header(Gtesty, 1, THealthText::File);
    header(Gtesty, 2, THealthText::CapacityPct);
    header(Gtesty, 3, THealthText::WeakCount);
    header(Gpokles, 0, THealthText::Battery);
    header(Gpokles, 1, THealthText::First);
    header(Gpokles, 2, THealthText::Last);
    header(Gpokles, 3, THealthText::Drop);
    Translate(THealthText::CompareButton, [this](const QString& t) { TBXporovnej->setText(t); });
    Translate(THealthText::HeatHint, [this](const QString& t) { Gteplo->setToolTip(t); });
    Translate(THealthText::TimeMin, [this](const QString& t) { CompareChart->xAxis->setLabel(t); });
    Translate(THealthText::VoltageV, [this](const QString& t) { CompareChart->yAxis->setLabel(t); });
}

void TFstav::OpenTrend(const QStringList& files)
{
    TTrend trend;
    {
        BusyCursor busy;
        trend = EvaluateTrend(files, state_.BatteryTypes, state_.Choices, state_.TempCompTables, state_.Settings.Health);
    }
    // Tests of several sets make no trend: told, and the trend shown so far stays.
    if (!trend.Refusal.isEmpty()) {
        UserReport().Message(trend.Refusal);
        return;
    }
    trend_ = std::move(trend);
    ShowTrend();
    Pages->setCurrentIndex(TrendPage);
    UpdateReportActions();
    Open();
}

void TFstav::ShowTrend()
{
    QStringList notes{TrendBasisText(state_.Choices, state_.TempCompTables)};
    for (const TTrendTest& test : trend_.Tests)
        if (const QString note = RatedDurationNote(test); !note.isEmpty())
            notes << note;
    for (const TTrendSkip& skip : trend_.Skipped)
        notes << HealthText(THealthText::LeftOut).arg(QFileInfo(skip.File).fileName(), skip.Reason);
    Ltrend->setText(notes.join(QLatin1Char('\n')));
    Lprognoza->setText(ForecastText(trend_.Forecast, state_.Settings.Health.AcceptanceThreshold, QDate::currentDate()));

    Gtesty->setRowCount(int(trend_.Tests.size()));
    for (int t = 0; t < int(trend_.Tests.size()); ++t) {
        const TTrendTest& test = trend_.Tests[size_t(t)];
        const auto weak = std::count_if(test.Health.Batteries.begin(), test.Health.Batteries.end(),
                                        [](const TBatteryHealth& b) { return b.Weak; });
        Gtesty->setItem(t, 0, Cell(DateText(test), Qt::AlignLeft | Qt::AlignVCenter));
        Gtesty->setItem(t, 1, Cell(QFileInfo(test.File).fileName(), Qt::AlignLeft | Qt::AlignVCenter));
        Gtesty->setItem(t, 2, Cell(FormatLocale("%.1f", test.Health.StringPct)));
        Gtesty->setItem(t, 3, Cell(QString::number(weak)));
    }
    Gtesty->resizeColumnsToContents();
    Cporovnani->clear();
    Cporovnani->addItem(HealthText(THealthText::TotalVoltage), 0);
    for (int number : trend_.Batteries)
        Cporovnani->addItem(HealthText(THealthText::BatteryNumber).arg(number), number);
    ShowTrendChart();
    ShowHeatMap();
    ShowFallers();
}

void TFstav::ShowTrendChart()
{
    TrendChart->clearGraphs();
    TrendChart->clearItems();
    QCPGraph* graph = TrendChart->addGraph();
    graph->setName(HealthText(THealthText::StringCapacity));
    graph->setPen(QPen(BarColour, 2));
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, 7));
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    double top = 100;
    for (size_t t = 0; t < trend_.Tests.size(); ++t) {
        const TTrendTest& test = trend_.Tests[t];
        const double x = DayOf(test.Start.date());
        graph->addData(x, test.Health.StringPct);
        ticker->addTick(x, DateText(test));
        if (std::isfinite(test.Health.StringPct))
            top = std::max(top, test.Health.StringPct);
    }
    const TTrendForecast& f = trend_.Forecast;
    const double threshold = state_.Settings.Health.AcceptanceThreshold;
    double lastDay = trend_.Tests.empty() ? 0 : DayOf(trend_.Tests.back().Start.date());
    if (f.ThresholdDate) {
        // The fitted line from the first measured test to the day it reaches the threshold.
        const double end = DayOf(*f.ThresholdDate);
        QCPGraph* line = TrendChart->addGraph();
        line->setName(HealthText(THealthText::Forecast).arg(FormatLocale("%g", threshold), ShortDateText(*f.ThresholdDate)));
        line->setPen(QPen(WeakColour, 1.5, Qt::DashLine));
        line->addData(DayOf(f.First), f.Intercept);
        line->addData(end, f.Intercept + f.Slope * f.First.daysTo(*f.ThresholdDate));
        lastDay = std::max(lastDay, end);
    }
    auto* level = new QCPItemStraightLine(TrendChart);
    level->point1->setCoords(0, threshold);
    level->point2->setCoords(1, threshold);
    level->setPen(QPen(QColor(200, 40, 40), 1, Qt::DotLine));
    TrendChart->xAxis->setTicker(ticker);
    TrendChart->xAxis->setLabel(HealthText(THealthText::TestDate));
    TrendChart->yAxis->setLabel(HealthText(THealthText::StringCapacity));
    const double firstDay = trend_.Tests.empty() ? 0 : DayOf(trend_.Tests.front().Start.date());
    const double margin = std::max((lastDay - firstDay) * 0.08, 10.0);
    TrendChart->xAxis->setRange(firstDay - margin, lastDay + margin);
    TrendChart->yAxis->setRange(0, top * 1.1);
    TrendChart->legend->setVisible(bool(f.ThresholdDate));
    TrendChart->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignLeft);
    TrendChart->replot();
}

void TFstav::ShowHeatMap()
{
    Gteplo->setUpdatesEnabled(false);
    Gteplo->clear();
    Gteplo->setColumnCount(int(trend_.Tests.size()));
    Gteplo->setRowCount(int(trend_.Batteries.size()));
    QStringList columns, rows;
    for (const TTrendTest& test : trend_.Tests)
        columns << DateText(test);
    for (int number : trend_.Batteries)
        rows << QStringLiteral("Bat %1").arg(number);
    Gteplo->setHorizontalHeaderLabels(columns);
    Gteplo->setVerticalHeaderLabels(rows);
    QFont bold = Gteplo->font();
    bold.setBold(true);
    for (size_t i = 0; i < trend_.Batteries.size(); ++i)
        for (size_t t = 0; t < trend_.Tests.size(); ++t) {
            const double pct = trend_.Capacity[i][t];
            const double atLeast = trend_.AtLeast[i][t];
            if (!std::isfinite(pct) && !std::isfinite(atLeast))
                continue;
            const bool weak = trend_.Weak[i][t];
            // A lower bound is no measurement: marked and left without the heat colour.
            const QString value = std::isfinite(pct) ? FormatLocale("%.1f", pct) : FormatLocale("≥ %.1f", atLeast);
            QTableWidgetItem* item = Cell(value + (weak ? QStringLiteral(" *") : QString()));
            item->setBackground(std::isfinite(pct) ? HeatColour(pct) : AtLeastCellColour);
            if (weak) {
                item->setFont(bold);
                item->setToolTip(HealthText(THealthText::Weak));
            }
            Gteplo->setItem(int(i), int(t), item);
        }
    Gteplo->resizeColumnsToContents();
    Gteplo->setUpdatesEnabled(true);
}

void TFstav::ShowFallers()
{
    const std::vector<TTrendFaller> fallers = BiggestFallers(trend_, FallerCount);
    Gpokles->clearSpans();
    if (fallers.empty() && !trend_.Tests.empty()) {
        Gpokles->setRowCount(1);
        Gpokles->setSpan(0, 0, 1, 4);
        Gpokles->setItem(0, 0, Cell(HealthText(THealthText::NoFallers), Qt::AlignLeft | Qt::AlignVCenter));
        return;
    }
    Gpokles->setRowCount(int(fallers.size()));
    for (int row = 0; row < int(fallers.size()); ++row) {
        const TTrendFaller& f = fallers[size_t(row)];
        Gpokles->setItem(row, 0, Cell(QString::number(f.Battery)));
        Gpokles->setItem(row, 1, Cell(FormatLocale("%.1f", f.First)));
        Gpokles->setItem(row, 2, Cell(FormatLocale("%.1f", f.Last)));
        Gpokles->setItem(row, 3, Cell(FormatLocale("%.1f", f.Drop())));
    }
    Gpokles->resizeColumnsToContents();
}

void TFstav::TBXporovnejClick()
{
    std::vector<int> rows;
    for (const QModelIndex& index : Gtesty->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.size() != 2) {
        UserReport().Message(HealthText(THealthText::PickTwo));
        return;
    }
    std::sort(rows.begin(), rows.end());
    const int battery = Cporovnani->currentData().toInt();
    std::vector<TCompareCurve> curves;
    try {
        BusyCursor busy;
        for (int row : rows)
            curves.push_back(CompareCurve(trend_.Tests[size_t(row)].File, battery));
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
        return;
    }
    CompareChart->clearGraphs();
    const QColor colours[] = {QColor(40, 90, 200), QColor(210, 60, 40)};
    for (size_t i = 0; i < curves.size(); ++i) {
        QCPGraph* graph = CompareChart->addGraph();
        graph->setName(curves[i].Title);
        graph->setPen(QPen(colours[i], 1.5));
        graph->setData(QVector<double>(curves[i].Minutes.begin(), curves[i].Minutes.end()),
                       QVector<double>(curves[i].Volts.begin(), curves[i].Volts.end()), true);
    }
    if (auto* title = qobject_cast<QCPTextElement*>(CompareChart->plotLayout()->element(0, 0)))
        title->setText(Cporovnani->currentText());
    CompareChart->rescaleAxes();
    CompareChart->replot();
    Pages->setCurrentIndex(ComparePage);
}

// The trend and comparison pages of the battery health window.
#include "evaluation/ui/Stav.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/ui/StavWidgets.h"
#include "i18n/MessageCatalogue.h"
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
enum { TestPage, TrendPage, ComparePage };

QTableWidget* NewTable(QWidget* parent, const QString& name, const QStringList& titles)
{
    auto* table = new QTableWidget(0, int(titles.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(titles);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
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
    Ltrend = new QLabel(QStringLiteral("V archivu vyberte testy jedné sady baterií a stiskněte „Trend“."), page);
    Ltrend->setObjectName(QStringLiteral("Ltrend"));
    Ltrend->setWordWrap(true);
    column->addWidget(Ltrend);

    auto* rows = new QSplitter(Qt::Vertical, page);
    auto* upper = new QSplitter(Qt::Horizontal, rows);
    TrendChart = NewChart(upper, QStringLiteral("TrendChart"));
    auto* tests = new QWidget(upper);
    auto* testsColumn = new QVBoxLayout(tests);
    testsColumn->setContentsMargins(0, 0, 0, 0);
    Gtesty = NewTable(tests, QStringLiteral("Gtesty"),
                      {QStringLiteral("Datum"), QStringLiteral("Soubor"), QStringLiteral("Kapacita [%]"), QStringLiteral("Slabé")});
    Gtesty->setSelectionBehavior(QAbstractItemView::SelectRows);
    Gtesty->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Gtesty->verticalHeader()->hide();
    testsColumn->addWidget(Gtesty, 1);
    auto* compare = new QHBoxLayout;
    Cporovnani = new QComboBox(tests);
    Cporovnani->setObjectName(QStringLiteral("Cporovnani"));
    TBXporovnej = new QPushButton(QStringLiteral("Porovnej dva testy"), tests);
    TBXporovnej->setObjectName(QStringLiteral("TBXporovnej"));
    compare->addWidget(Cporovnani, 1);
    compare->addWidget(TBXporovnej);
    testsColumn->addLayout(compare);
    upper->addWidget(TrendChart);
    upper->addWidget(tests);
    upper->setStretchFactor(0, 3);
    upper->setStretchFactor(1, 2);

    auto* lower = new QSplitter(Qt::Horizontal, rows);
    Gteplo = NewTable(lower, QStringLiteral("Gteplo"), {});
    Gteplo->setToolTip(QStringLiteral("Kapacita baterie v procentech; tučně s * slabá v tom testu"));
    Gpokles = NewTable(lower, QStringLiteral("Gpokles"),
                       {QStringLiteral("Baterie"), QStringLiteral("První [%]"), QStringLiteral("Poslední [%]"),
                        QStringLiteral("Pokles [%]")});
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
    CompareChart->xAxis->setLabel(QStringLiteral("Čas [min]"));
    CompareChart->yAxis->setLabel(QStringLiteral("Napětí [V]"));
    CompareChart->legend->setVisible(true);
    CompareChart->plotLayout()->insertRow(0);
    CompareChart->plotLayout()->addElement(0, 0, new QCPTextElement(CompareChart, QString(), QFont(font().family(), 11, QFont::Bold)));
    return CompareChart;
}

void TFstav::OpenTrend(const QStringList& files)
{
    {
        BusyCursor busy;
        trend_ = EvaluateTrend(files, state_.BatteryTypes, state_.Choices, state_.TempCompTables,
                               state_.Settings.Health.WeakShare);
    }
    ShowTrend();
    Pages->setCurrentIndex(TrendPage);
    Open();
}

void TFstav::ShowTrend()
{
    QString note = TrendBasisText(state_.Choices, state_.TempCompTables);
    for (const TTrendSkip& skip : trend_.Skipped)
        note += QLatin1Char('\n') + skippedText_.arg(QFileInfo(skip.File).fileName(), skip.Reason);
    Ltrend->setText(note);

    Gtesty->setRowCount(int(trend_.Tests.size()));
    for (int t = 0; t < int(trend_.Tests.size()); ++t) {
        const TTrendTest& test = trend_.Tests[size_t(t)];
        int weak = 0;
        for (const TBatteryHealth& b : test.Health.Batteries)
            weak += b.Weak ? 1 : 0;
        Gtesty->setItem(t, 0, Cell(DateText(test), Qt::AlignLeft | Qt::AlignVCenter));
        Gtesty->setItem(t, 1, Cell(QFileInfo(test.File).fileName(), Qt::AlignLeft | Qt::AlignVCenter));
        Gtesty->setItem(t, 2, Cell(FormatLocale("%.1f", test.Health.StringPct)));
        Gtesty->setItem(t, 3, Cell(QString::number(weak)));
    }
    Gtesty->resizeColumnsToContents();
    Cporovnani->clear();
    Cporovnani->addItem(totalVoltageItem_, 0);
    for (int number : trend_.Batteries)
        Cporovnani->addItem(batteryItem_.arg(number), number);
    ShowTrendChart();
    ShowHeatMap();
    ShowFallers();
}

void TFstav::ShowTrendChart()
{
    TrendChart->clearGraphs();
    QCPGraph* graph = TrendChart->addGraph();
    graph->setName(stringCapacity_);
    graph->setPen(QPen(BarColour, 2));
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, 7));
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    double top = 100;
    for (size_t t = 0; t < trend_.Tests.size(); ++t) {
        const TTrendTest& test = trend_.Tests[t];
        const double x = test.Start.toSecsSinceEpoch() / 86400.0; // days: dates keep their spacing
        graph->addData(x, test.Health.StringPct);
        ticker->addTick(x, DateText(test));
        if (std::isfinite(test.Health.StringPct))
            top = std::max(top, test.Health.StringPct);
    }
    TrendChart->xAxis->setTicker(ticker);
    TrendChart->xAxis->setLabel(testDateAxis_);
    TrendChart->yAxis->setLabel(stringCapacity_);
    TrendChart->xAxis->rescale();
    const QCPRange days = TrendChart->xAxis->range();
    const double margin = std::max(days.size() * 0.08, 10.0);
    TrendChart->xAxis->setRange(days.lower - margin, days.upper + margin);
    TrendChart->yAxis->setRange(0, top * 1.1);
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
            if (!std::isfinite(pct))
                continue;
            const bool weak = trend_.Weak[i][t];
            QTableWidgetItem* item = Cell(FormatLocale("%.1f", pct) + (weak ? QStringLiteral(" *") : QString()));
            item->setBackground(HeatColour(pct));
            if (weak) {
                item->setFont(bold);
                item->setToolTip(QStringLiteral("slabá"));
            }
            Gteplo->setItem(int(i), int(t), item);
        }
    Gteplo->resizeColumnsToContents();
    Gteplo->setUpdatesEnabled(true);
}

void TFstav::ShowFallers()
{
    const std::vector<TTrendFaller> fallers = BiggestFallers(trend_, FallerCount);
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
        UserReport().Message(MessageText(QStringLiteral("Trend_dva_testy")));
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

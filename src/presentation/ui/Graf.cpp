#include "presentation/ui/Graf.h"

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "config/ui/PlacementStore.h"
#include "model/LocaleFormat.h"
#include "i18n/TranslationRegistry.h"
#include "presentation/ui/FlowLayout.h"

#include <QComboBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace {
constexpr int LegendRowsPerColumn = 18; // many curves: the legend continues in further columns

// Ids of the window's texts in a language file's [Fgraf] section.
enum TGrafText {
    CaptionText = 1, AllText, MultiText, SadaText, BodyText, TotalText, MinText, MaxText, PreviewText, TotalTitleText, HealthText,
    LegendInsideText, LegendBesideText, LegendHiddenText
};

QAction* AddCommand(QToolBar* bar, const QString& caption, bool checkable)
{
    QAction* action = bar->addAction(caption);
    action->setCheckable(checkable);
    return action;
}
} // namespace

TFgraf::TFgraf(TProgramState& state, QWidget* parent)
    : QMainWindow(parent), state_(state), random_(QRandomGenerator::securelySeeded())
{
    setWindowTitle(QStringLiteral("Graf"));
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    TBXToolbar1 = new QWidget(central);
    TBXToolbar1->setObjectName(QStringLiteral("TBXToolbar1"));
    flow_ = new TFlowLayout(TBXToolbar1);
    column->addWidget(TBXToolbar1);

    auto* bar = new QToolBar(central);
    bar->setObjectName(QStringLiteral("TBXToolbar2"));
    TBXItem1 = AddCommand(bar, QStringLiteral("All"), false);
    TBXItem2 = AddCommand(bar, QStringLiteral("Multi"), true);
    TBXItem3 = AddCommand(bar, QStringLiteral("Sada"), true);
    TBXItem4 = AddCommand(bar, QStringLiteral("Body"), true);
    TBXItem5 = AddCommand(bar, QStringLiteral("U celkove"), true);
    TBXItem7 = AddCommand(bar, QStringLiteral("12min"), false);
    TBXItem8 = AddCommand(bar, QStringLiteral("12max"), false);
    TBXItem6 = AddCommand(bar, QStringLiteral("Preview"), false);
    Legenda = new QComboBox(bar);
    Legenda->setObjectName(QStringLiteral("Legenda"));
    Legenda->addItems({QStringLiteral("Legenda v grafu"), QStringLiteral("Legenda vedle grafu"), QStringLiteral("Bez legendy")});
    Legenda->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bar->addWidget(Legenda);
    bar->addSeparator();
    TBXstav = AddCommand(bar, QStringLiteral("Stav baterií"), false);
    column->addWidget(bar);

    chart_ = new QCustomPlot(central);
    chart_->setObjectName(QStringLiteral("Chart1"));
    chart_->setLocale(ProgramLocale()); // "1,6" on an axis in tenths for Czech users
    chart_->setBackground(QColor(223, 243, 247));
    chart_->axisRect()->setBackground(Qt::white);
    chart_->legend->setVisible(true);
    chart_->legend->setFillOrder(QCPLayoutGrid::foRowsFirst);
    chart_->legend->setWrap(LegendRowsPerColumn);
    chart_->legend->setFont(QFont(font().family(), 8));
    chart_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
    chart_->installEventFilter(this);
    column->addWidget(chart_, 1);
    setCentralWidget(central);
    // The size of a first start (a stored placement replaces it): room for the curves under
    // two toolbars, not the layout's minimum with a chart a few pixels high.
    resize(900, 560);

    RegisterTexts();
    BuildPlacementStore();

    connect(Legenda, &QComboBox::currentIndexChanged, this, &TFgraf::PlaceLegend);
    connect(TBXItem1, &QAction::triggered, this, [this] {
        state_.Graph.SelectAll(state_.Record());
        ShowSelection();
    });
    connect(TBXItem2, &QAction::triggered, this, [this](bool on) { state_.Graph.Multi = on; });
    for (QAction* option : {TBXItem3, TBXItem4, TBXItem5})
        connect(option, &QAction::triggered, this, &TFgraf::RefreshGraph);
    connect(TBXItem7, &QAction::triggered, this, [this] { SelectExtremes(true); });
    connect(TBXItem8, &QAction::triggered, this, [this] { SelectExtremes(false); });
    connect(TBXItem6, &QAction::triggered, this, &TFgraf::PreviewRequested);
    connect(&state_, &TProgramState::GraphRebuildRequested, this, &TFgraf::BuildGraph);
    BuildGraph();
}

void TFgraf::RegisterTexts()
{
    TTranslationRegistry& registry = TTranslationRegistry::Instance();
    const QString window = QStringLiteral("Fgraf");
    registry.Register(window, CaptionText, QStringLiteral("Graf"), [this](const QString& t) { setWindowTitle(t); }, this);
    const std::pair<TGrafText, QAction*> commands[] = {{AllText, TBXItem1},  {MultiText, TBXItem2}, {SadaText, TBXItem3},
                                                       {BodyText, TBXItem4}, {TotalText, TBXItem5}, {MinText, TBXItem7},
                                                       {MaxText, TBXItem8},  {PreviewText, TBXItem6}, {HealthText, TBXstav}};
    for (const auto& [id, action] : commands)
        registry.Register(window, id, action->text(), [action](const QString& t) { action->setText(t); }, this);
    for (int choice = 0; choice < Legenda->count(); ++choice)
        registry.Register(window, LegendInsideText + choice, Legenda->itemText(choice),
                          [this, choice](const QString& t) { Legenda->setItemText(choice, t); }, this);
    registry.Register(window, TotalTitleText, totalTitle_, [this](const QString& t) {
        totalTitle_ = t;
        if (chart_->graphCount() > 0)
            ShowSelection();
    }, this);
}

// The legend's place is kept with the window's placement as Legenda (0 inside, 1 beside, 2 hidden).
void TFgraf::BuildPlacementStore()
{
    auto* store = new TPlacementStore(this, QStringLiteral("TFgraf"), ConfigFilePath());
    store->Hooks.RestoreEvent = [this](TIniFile& ini, const QString& section) {
        const int choice = ini.ReadInteger(section, QStringLiteral("Legenda"), LegendInside);
        Legenda->setCurrentIndex(choice >= LegendInside && choice <= LegendHidden ? choice : LegendInside);
    };
    store->Hooks.SaveEvent = [this](TIniFile& ini, const QString& section) {
        ini.WriteInteger(section, QStringLiteral("Legenda"), Legenda->currentIndex());
    };
}

void TFgraf::PlaceLegend(int choice)
{
    QCPLegend* legend = chart_->legend;
    QCPLayoutGrid* beside = chart_->plotLayout();
    QCPLayoutInset* inside = chart_->axisRect()->insetLayout();
    if (legend->layout() == beside) {
        beside->take(legend);
        beside->simplify();
    } else {
        inside->take(legend);
    }
    if (choice == LegendBeside) {
        beside->addElement(0, 1, legend);
        beside->setColumnStretchFactor(1, 0.001); // as wide as its entries
    } else {
        inside->addElement(legend, Qt::AlignTop | Qt::AlignRight);
    }
    legend->setVisible(choice != LegendHidden);
    FitLegendColumns();
    chart_->replot(QCustomPlot::rpQueuedReplot);
}

// Beside the plot the legend's columns run as tall as the chart: 108 curves then take three
// columns, where columns of 18 took half the window.
void TFgraf::FitLegendColumns()
{
    QCPLegend* legend = chart_->legend;
    int rows = LegendRowsPerColumn;
    if (Legenda->currentIndex() == LegendBeside && legend->itemCount() > 0) {
        const int row = legend->item(0)->minimumOuterSizeHint().height() + legend->rowSpacing();
        const int room = chart_->height() - legend->margins().top() - legend->margins().bottom();
        rows = std::max(rows, room / std::max(row, 1));
    }
    if (legend->wrap() != rows) {
        legend->setWrap(rows);
        legend->setFillOrder(legend->fillOrder(), true);
    }
}

bool TFgraf::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == chart_ && event->type() == QEvent::Resize)
        FitLegendColumns();
    return QMainWindow::eventFilter(watched, event);
}

void TFgraf::BuildGraph()
{
    for (QToolButton* b : buttons_)
        delete b;
    buttons_.clear();
    chart_->clearGraphs();

    const TTestRecord& record = state_.Record();
    TGraphSelection& graph = state_.Graph;
    graph.Build(record, random_);
    graph.Sada = TBXItem3->isChecked();
    graph.Body = TBXItem4->isChecked();
    TBXItem2->setChecked(true);
    TBXItem5->setChecked(false);

    const int n = graph.BatteryCount();
    // Buttons shown one by one into a visible bar would lay the bar out, and resize and
    // replot the chart, once per button: the bar is laid out once, when shown again.
    const bool barHidden = TBXToolbar1->isHidden();
    TBXToolbar1->hide();
    for (int k = 0; k < n; ++k) {
        auto* button = new QToolButton(TBXToolbar1);
        button->setText(QString::number(k + 1));
        button->setObjectName(QString::asprintf("tb%02d", k));
        button->setCheckable(true);
        button->setChecked(true);
        connect(button, &QToolButton::clicked, this, [this, k] { BatteryClicked(k); });
        flow_->addWidget(button);
        button->show();
        buttons_.push_back(button);
    }
    TBXToolbar1->setHidden(barHidden);

    QVector<double> x(record.RowCount), y(record.RowCount);
    for (int r = 0; r < record.RowCount; ++r)
        x[r] = record.Rows[r].ElapsedSeconds / 60.0;
    for (int k = 0; k < n; ++k) {
        for (int r = 0; r < record.RowCount; ++r)
            y[r] = record.Rows[r].Voltages[k];
        QCPGraph* series = chart_->addGraph();
        series->setPen(QPen(graph.Colours[size_t(k)]));
        series->setName(QStringLiteral("Bat") + QString::number(k + 1));
        series->setData(x, y, true);
    }
    for (int r = 0; r < record.RowCount; ++r)
        y[r] = record.Rows[r].TotalVoltage;
    QCPGraph* total = chart_->addGraph();
    total->setData(x, y, true);

    TBXItem7->setVisible(graph.ExtremesVisible());
    TBXItem8->setVisible(graph.ExtremesVisible());
    // After a load every battery curve shows with its column title; the options wait for a refresh.
    const bool sada = graph.Sada, body = graph.Body;
    graph.Sada = graph.Body = false;
    ShowSelection();
    graph.Sada = sada;
    graph.Body = body;
}

void TFgraf::RefreshGraph()
{
    TGraphSelection& graph = state_.Graph;
    graph.Sada = TBXItem3->isChecked();
    graph.Body = TBXItem4->isChecked();
    graph.UCelkove = TBXItem5->isChecked();
    graph.Refresh(state_.Record());
    ShowSelection();
}

void TFgraf::SelectExtremes(bool lowest)
{
    state_.Graph.Sada = TBXItem3->isChecked();
    state_.Graph.Body = TBXItem4->isChecked();
    state_.Graph.UCelkove = TBXItem5->isChecked();
    state_.Graph.SelectExtremes(state_.Record(), lowest);
    ShowSelection();
}

void TFgraf::BatteryClicked(int k)
{
    state_.Graph.Click(k);
    RefreshGraph();
}

void TFgraf::ShowSelection()
{
    const TGraphSelection& graph = state_.Graph;
    TBXItem2->setChecked(graph.Multi);
    chart_->legend->clearItems();
    const int n = graph.BatteryCount();
    for (int k = 0; k <= n && k < chart_->graphCount(); ++k) {
        QCPGraph* series = chart_->graph(k);
        const bool on = k < n ? bool(graph.Checked[size_t(k)]) : graph.UCelkove;
        series->setVisible(on);
        if (k < n) {
            buttons_[size_t(k)]->setChecked(on);
            series->setName(graph.SeriesTitle(k));
            series->setScatterStyle(graph.Body ? QCPScatterStyle(QCPScatterStyle::ssDisc, 4)
                                               : QCPScatterStyle(QCPScatterStyle::ssNone));
        } else {
            series->setName(totalTitle_);
        }
        if (on)
            series->addToLegend();
    }
    FitLegendColumns();
    chart_->xAxis->rescale(true);
    chart_->yAxis->setRange(graph.Axis.Min, graph.Axis.Max);
    chart_->replot(QCustomPlot::rpQueuedReplot);
}

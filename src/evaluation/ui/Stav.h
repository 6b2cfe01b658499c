#pragma once
// Window TFstav (unit Stav): each battery's own result in the loaded test, weakest first,
// with a bar chart of the capacities and the median, and the battery health report; on
// further pages the capacities of saved tests over their dates, and two of those tests
// compared in one chart.

#include "evaluation/BatteryHealth.h"
#include "evaluation/CapacityTrend.h"
#include "presentation/HealthReport.h"

#include <QMainWindow>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <functional>

class QAction;
class QComboBox;
class QCustomPlot;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class TProgramState;

class TFstav : public QMainWindow {
    Q_OBJECT
public:
    explicit TFstav(TProgramState& state, QWidget* parent = nullptr);
    ~TFstav() override; // an open preview goes with the report it paints

    // Shows the window, brought to the front, with the figures of the test loaded now.
    void Open();
    // The archive window's "Trend": evaluates the files and shows the trend page.
    void OpenTrend(const QStringList& files);
    // Draws the two tests selected in Gtesty, the curve chosen in Cporovnani, and shows
    // the comparison page; other than two selected tests get a message.
    void TBXporovnejClick();
    // Evaluates the loaded test anew and fills the table, the chart and the summary.
    void ShowHealth();
    void TBXtiskClick(); // print preview of the battery health report
    void TBXpdfClick();  // the report into a PDF file chosen by ChoosePdfPath

    // The save dialog of "PDF": proposed path in, chosen path out (empty when cancelled).
    std::function<QString(const QString& proposed)> ChoosePdfPath;

    QAction* TBXtisk = nullptr;
    QAction* TBXpdf = nullptr;
    QLabel* Lsouhrn = nullptr;       // string figures, or why there are none
    QTableWidget* Gbaterie = nullptr;
    QCustomPlot* Chart = nullptr;
    QTabWidget* Pages = nullptr;     // the loaded test, the trend, the comparison
    QLabel* Ltrend = nullptr;        // how the trend was evaluated, files left out
    QCustomPlot* TrendChart = nullptr; // the string's capacity over the dates
    QTableWidget* Gtesty = nullptr;  // the trend's tests, several may be selected
    QTableWidget* Gteplo = nullptr;  // heat map: batteries x tests
    QTableWidget* Gpokles = nullptr; // batteries whose capacity fell most
    QComboBox* Cporovnani = nullptr; // total voltage or one battery
    QPushButton* TBXporovnej = nullptr;
    QCustomPlot* CompareChart = nullptr;
    const TTrend& Trend() const { return trend_; }
    QPrintPreviewDialog* Dialog() const { return dialog_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildTestPage();
    QWidget* BuildTrendPage();
    QWidget* BuildComparePage();
    void RegisterTexts(); // the window's texts under [Fstav] of a language file
    void ShowTrend();
    void ShowTrendChart();
    void ShowHeatMap();
    void ShowFallers();
    void ShowTable(const TStringHealth& h);
    void ShowChart(const TStringHealth& h);
    void RefreshIfVisible();

    TProgramState& state_;
    // Texts the window composes, in the language in force: the summary line's three parts
    // (printf patterns, then "%1 z %2" weak of all), the weak mark, the chart's median and
    // weak-limit lines.
    QString summaryFigures_ = QStringLiteral("Konečné napětí baterie %.3f V   Kapacita řetězce %.1f %%   ");
    QString summaryMedian_ = QStringLiteral("Medián %.1f %%   Slabá pod %.0f %% mediánu: ");
    QString summaryWeak_ = QStringLiteral("%1 z %2");
    QString weakMark_ = QStringLiteral("slabá");
    QString notReachedMark_ = NotReachedText;
    QString medianLine_ = QStringLiteral("medián %.1f %%");
    QString weakLine_ = QStringLiteral("slabá pod %.1f %%");
    QString batteryAxis_ = QStringLiteral("Baterie");
    QString capacityAxis_ = QStringLiteral("Kapacita [%]");
    // The trend page's: a file left out ("%1" file, "%2" why), the comparison choices, the
    // trend chart's curve and axes.
    QString skippedText_ = QStringLiteral("Vynechán %1: %2");
    QString totalVoltageItem_ = QStringLiteral("Celkové napětí");
    QString batteryItem_ = QStringLiteral("Baterie %1");
    QString stringCapacity_ = QStringLiteral("Kapacita řetězce [%]");
    QString testDateAxis_ = QStringLiteral("Datum zkoušky");
    std::optional<TStringHealth> health_;
    TTrend trend_;
    THealthReportContent content_;
    QPrinter printer_;
    QPointer<QPrintPreviewDialog> dialog_;
};

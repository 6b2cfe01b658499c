#pragma once
// Window TFstav (unit Stav): each battery's own result in the loaded test, weakest first,
// with a bar chart of the capacities and the median, and the battery health report; on
// further pages the capacities of saved tests over their dates, and two of those tests
// compared in one chart.

#include "evaluation/BatteryHealth.h"
#include "evaluation/CapacityTrend.h"
#include "evaluation/HealthTexts.h"
#include "presentation/HealthReport.h"
#include "presentation/TrendReport.h"

#include <QMainWindow>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <functional>
#include <map>
#include <vector>

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
    enum TPage { TestPage, TrendPage, ComparePage }; // the tabs of Pages
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
    // The report of the page shown: the battery health report, or on the trend page the trend
    // report with the forecast.
    void TBXtiskClick(); // print preview
    void TBXpdfClick();  // into a PDF file chosen by ChoosePdfPath

    // The save dialog of "PDF": proposed path in, chosen path out (empty when cancelled).
    std::function<QString(const QString& proposed)> ChoosePdfPath;

    QAction* TBXtisk = nullptr;
    QAction* TBXpdf = nullptr;
    QLabel* Lsouhrn = nullptr;       // string figures, or why there are none
    QLabel* Lzaver = nullptr;        // what the test can tell: plausibility, the end of the test
    QTableWidget* Gbaterie = nullptr;
    QCustomPlot* Chart = nullptr;
    QTabWidget* Pages = nullptr;     // the loaded test, the trend, the comparison
    QLabel* Ltrend = nullptr;        // how the trend was evaluated, files left out
    QLabel* Lprognoza = nullptr;     // the day the string's capacity reaches the threshold
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
    // Registers a text of the [Fstav] section with its setter, owned by the window.
    void Translate(THealthText id, std::function<void(const QString&)> setter);
    void RegisterTexts();
    void RegisterTrendTexts();
    QWidget* BuildTestPage();
    QWidget* BuildTrendPage();
    QWidget* BuildComparePage();
    void ShowTrend();
    void ShowTrendChart();
    void ShowHeatMap();
    void ShowFallers();
    void ShowTable(const TStringHealth& h);
    void ShowChart(const TStringHealth& h);
    void RefreshIfVisible();
    bool TrendShown() const;
    void UpdateReportActions();

    TProgramState& state_;
    std::optional<TStringHealth> health_;
    TTrend trend_;
    std::map<THealthText, std::vector<std::function<void(const QString&)>>> setters_; // by Translate
    THealthReportContent content_;
    TTrendReportContent trendContent_;
    QPrinter printer_;
    QPointer<QPrintPreviewDialog> dialog_;
};

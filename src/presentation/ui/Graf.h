#pragma once
// Window TFgraf (unit Graf): battery voltages over the test time. The choice of curves
// and the axis live in TProgramState::Graph; this window draws them.

#include <QMainWindow>
#include <QRandomGenerator>
#include <QString>
#include <vector>

class QAction;
class QComboBox;
class QCustomPlot;
class QToolButton;
class QWidget;
class TFlowLayout;
class TProgramState;

class TFgraf : public QMainWindow {
    Q_OBJECT
public:
    explicit TFgraf(TProgramState& state, QWidget* parent = nullptr);

    QCustomPlot* Chart() const { return chart_; }
    QToolButton* BatteryButton(int k) const { return buttons_.at(size_t(k)); }
    QAction* TBXItem1 = nullptr; // All
    QAction* TBXItem2 = nullptr; // Multi
    QAction* TBXItem3 = nullptr; // Sada
    QAction* TBXItem4 = nullptr; // Body
    QAction* TBXItem5 = nullptr; // U celkove
    QAction* TBXItem7 = nullptr; // 12min
    QAction* TBXItem8 = nullptr; // 12max
    QAction* TBXItem6 = nullptr; // Preview
    QAction* TBXstav = nullptr;  // opens the battery health window
    // Where the legend is: inside the plot's corner, beside the plot or hidden; the
    // test report keeps its own legend whatever is chosen here.
    enum TLegendPlace { LegendInside, LegendBeside, LegendHidden };
    QComboBox* Legenda = nullptr;

public slots:
    void BuildGraph();
    void RefreshGraph();
    void SelectExtremes(bool lowest);

signals:
    // "Preview" pressed; whoever owns the report preview checks the limit and opens it.
    void PreviewRequested();

private:
    void RegisterTexts();
    void BuildPlacementStore();
    void PlaceLegend(int choice);
    void FitLegendColumns();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ShowSelection(); // buttons, series and axis from the state
    void BatteryClicked(int k);

    TProgramState& state_;
    QRandomGenerator random_;
    QWidget* TBXToolbar1 = nullptr;
    TFlowLayout* flow_ = nullptr;
    QCustomPlot* chart_ = nullptr;
    std::vector<QToolButton*> buttons_;
    QString totalTitle_ = QStringLiteral("Napětí"); // title of the total-voltage series
};

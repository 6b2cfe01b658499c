#pragma once
// What the graph window shows, as plain state: which battery curves are on, the display
// options and the fixed voltage axis. The graph window draws it; the test report and the
// CLI read it, so every rule of choosing curves and fixing the axis lives here.

#include "model/TestRecord.h"

#include <QColor>
#include <QRandomGenerator>
#include <QString>
#include <vector>

// Nearest integer, halves to the even neighbour (12.5 -> 12, 13.5 -> 14).
int RoundHalfEven(double value);

// A random battery colour; a sum of exactly 750 gets one component replaced by 50, 90, 130 or 170.
QColor RandomBatteryColour(QRandomGenerator& random);

struct TAxisRange {
    double Min = 0;
    double Max = 0;
};

// The axis after fixing: minimum round(smallest - 0.5), maximum round(largest + 0.5); curves
// spanning less than 2 V get smallest rounded to a tenth minus 0.1 to largest rounded to a
// tenth plus 0.1 (1.70 to 2.12 V gives 1.6 to 2.2 V).
TAxisRange FixedAxis(double smallest, double largest);

class TGraphSelection {
public:
    static constexpr int ExtremeCount = 12;
    static constexpr int ExtremesFrom = 13; // "12min" / "12max" shown from this many batteries

    std::vector<bool> Checked;    // battery button k
    std::vector<QColor> Colours;  // colour of battery series k
    bool Multi = true;            // off: the battery buttons act as one radio group
    bool Sada = false;            // legend numbered within the shown set
    bool Body = false;            // point markers
    bool UCelkove = false;        // total-voltage curve
    TAxisRange Axis;

    // New buttons and colours for the record's batteries, all checked; axis over all battery points.
    void Build(const TTestRecord& record, QRandomGenerator& random);
    // Fixes the axis over the curves now on (as the chart's automatic range would cover them).
    void Refresh(const TTestRecord& record);
    // "12min" (lowest) or "12max": the 12 batteries with the extreme final voltage, then refresh.
    void SelectExtremes(const TTestRecord& record, bool lowest);
    // Independent buttons, exactly the given battery columns checked, then refresh.
    void SelectColumns(const TTestRecord& record, const std::vector<int>& columns);
    // "All": independent buttons, all checked, then refresh.
    void SelectAll(const TTestRecord& record);
    // A click on battery button k: toggles it, or with "Multi" off makes it the only one checked.
    void Click(int k);

    int BatteryCount() const { return int(Checked.size()); }
    int CheckedCount() const;
    bool ExtremesVisible() const { return BatteryCount() >= ExtremesFrom; }
    // Legend title of battery series k under the current options (prefix "Bat" in the window).
    QString SeriesTitle(int k, const QString& prefix = QStringLiteral("Bat")) const;
};

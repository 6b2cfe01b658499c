#pragma once
// The test report: one A4 landscape page with the test header, the capacity, the battery
// table and a chart of the battery voltages, taken from what the windows show now.

#include "presentation/GraphSelection.h"
#include "presentation/ReportPage.h"

#include <QPolygonF>
#include <vector>

class QPagedPaintDevice;
class TProgramState;

inline constexpr int ReportLimit = 18;       // batteries the report's chart and table can hold
inline constexpr int ReportCellLimit = 551;  // labels of the battery table
inline constexpr double TestReportUnitsPerInch = 96 * 0.8;

struct TReportSeries {
    QString Title;
    QColor Colour;
    QPolygonF Points; // x minutes, y volts
    bool Markers = false;
};

struct TTestReportContent {
    std::vector<TReportLabel> Labels;  // title, header fields, battery table
    TReportPicture Logo;
    std::vector<TReportSeries> Series; // the curves that are on, in legend order
    TAxisRange VoltageAxis;
    QRectF Chart{238, 184, 619, 389};  // lower, keeping its bottom, under a long battery table
    QString AxisTitleX, AxisTitleY;
    int TableCells = 0;
    bool TableCut = false;             // more cells than the page holds
};

// Battery-table widths of column 0 and the checked battery columns, scaled to fit 620 units.
// Column 0 is then made at least captionWidth wide (what its texts need, so that none is cut)
// and the battery columns, starting after it, share the rest of the 620 units.
std::vector<int> IncludedColumnWidths(const std::vector<int>& screenWidths, const std::vector<bool>& checked,
                                      int captionWidth = 0);

// "Lokalita" and "Měřil" print in two lines split at the first comma (the comma dropped).
QStringList SplitAtComma(const QString& text);

// The report's checked batteries exceed ReportLimit: the message text, otherwise empty.
QString TestReportRefusal(const TProgramState& state);

TTestReportContent PrepareTestReport(const TProgramState& state);
void PaintTestReport(QPainter& painter, const TTestReportContent& content);
// Prints onto a device (the preview's printer) or, with a path, into a PDF file.
void PrintTestReport(QPagedPaintDevice& device, const TTestReportContent& content);
void WriteTestReportPdf(const QString& path, const TTestReportContent& content);

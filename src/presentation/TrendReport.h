#pragma once
// The trend report: one A4 portrait page with the battery set, the forecast of the day the
// string's capacity reaches the acceptance threshold, a chart of the string's capacity over
// the test dates with the fitted line, the tests and the biggest fallers.

#include "evaluation/CapacityTrend.h"
#include "presentation/ReportPage.h"

#include <QDate>
#include <vector>

class QPagedPaintDevice;

struct TTrendReportContent {
    std::vector<TReportLabel> Labels; // title, lines, table cells, chart labels
    TReportPicture Logo;
    TTrend Trend;
    double Threshold = 80;
};

TTrendReportContent PrepareTrendReport(const TTrend& trend, double threshold, const QDate& today);
void PrintTrendReport(QPagedPaintDevice& device, const TTrendReportContent& content);
// Through the report writer; an unwritable path throws VybitorError and leaves files alone.
void WriteTrendReportPdf(const QString& path, const TTrendReportContent& content);

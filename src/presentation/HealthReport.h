#pragma once
// The battery health report: one A4 portrait page with the test's identification, the
// string's figures, a bar chart of the batteries' capacities with the median and the weak
// limit, and the table of every battery, weakest first.

#include "evaluation/BatteryHealth.h"
#include "presentation/ReportPage.h"

#include <vector>

class QPagedPaintDevice;
class QPainter;
class TProgramState;

struct THealthReportContent {
    std::vector<TReportLabel> Labels; // title, header lines, table cells
    TReportPicture Logo;
    TStringHealth Health;
};

inline constexpr int HealthReportRowsPerBlock = 36; // table rows of one of the three blocks
inline const QString HealthTitle = QStringLiteral("Stav baterií");

THealthReportContent PrepareHealthReport(const TProgramState& state, const TStringHealth& health);
void PrintHealthReport(QPagedPaintDevice& device, const THealthReportContent& content);
// Through the report writer; an unwritable path throws VybitorError and leaves files alone.
void WriteHealthReportPdf(const QString& path, const THealthReportContent& content);

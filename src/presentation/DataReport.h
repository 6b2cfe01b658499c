#pragma once
// The data report: A4 portrait pages listing the samples of the measurement table, the
// page header (test texts, logo, column headers) repeated on every page.

#include "presentation/ReportPage.h"

class QPagedPaintDevice;
class TProgramState;
struct TTestRecord;

inline constexpr int DataReportColumns = 16; // sample, time, current, voltage, temperature, 11 batteries

// Data lines that fit below the header of one page.
int DataReportRowsPerPage();
// Header band of page `page` (1-based), in page units.
std::vector<TReportLabel> DataReportHeader(const TProgramState& state, int page);
// The 16 labels of measurement-table row `gridRow` (1 = first sample) placed as line `line` of its page.
std::vector<TReportLabel> DataReportLine(const TTestRecord& record, int gridRow, int line);
// All pages; a test without samples prints its one empty table row.
void PrintDataReport(QPagedPaintDevice& device, const TProgramState& state, const QImage& logo);
// The data report as a PDF file, with the logo beside the executable.
void WriteDataReportPdf(const QString& path, const TProgramState& state);

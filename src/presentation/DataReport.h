#pragma once
// The data report: A4 portrait pages listing the samples of the measurement table, the
// page header (test texts, logo, column headers) repeated on every page.

#include "presentation/ReportPage.h"

class QPagedPaintDevice;
class TProgramState;
class TTextGrid;

inline constexpr int DataReportColumns = 16; // sample, time, current, voltage, temperature, 11 batteries

// Data lines that fit below the header of one page.
int DataReportRowsPerPage();
// Header band of page `page` (1-based), in page units.
std::vector<TReportLabel> DataReportHeader(const TProgramState& state, const TTextGrid& table, int page);
// The 16 labels of measurement-table row `row` placed as line `line` of its page.
std::vector<TReportLabel> DataReportLine(const TTextGrid& table, int row, int line);
// All pages; a table without samples prints one page with the header only.
void PrintDataReport(QPagedPaintDevice& device, const TProgramState& state, const TTextGrid& table, const QImage& logo);
void WriteDataReportPdf(const QString& path, const TProgramState& state, const TTextGrid& table, const QImage& logo);

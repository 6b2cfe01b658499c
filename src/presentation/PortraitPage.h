#pragma once
// One A4 portrait report page laid out at 96 units an inch: a chart painted first, then the
// logo and the labels over it. The battery health and the trend reports print through it.

#include "presentation/ReportPage.h"

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

using TChartPainter = std::function<void(QPainter& painter, const TReportCanvas& canvas)>;

inline constexpr double PortraitUnitsPerInch = 96;

// The chart's frame and its value axis from 0 to yMax: a dotted line and a label every yStep.
void PaintValueAxis(QPainter& painter, const TReportCanvas& canvas, const QRectF& plot, double yMax, double yStep);

void PrintPortraitPage(QPagedPaintDevice& device, const TChartPainter& chart, const TReportPicture& logo,
                       const std::vector<TReportLabel>& labels);

#include "presentation/TrendReport.h"

#include "evaluation/HealthTexts.h"
#include "model/LocaleFormat.h"
#include "presentation/JpegLogo.h"
#include "presentation/PortraitPage.h"

#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
const QRectF ChartBox(40, 150, 714, 330);
constexpr double TableTop = 510, RowHeight = 14;
constexpr int MaxTestRows = 36, FallerCount = 10;

void AddCell(TTrendReportContent& c, const QRectF& box, const QString& text, Qt::Alignment align, bool bold = false)
{
    c.Labels.push_back({box, text, align | Qt::AlignTop, ReportFont(8, bold)});
}

void AddTests(TTrendReportContent& c)
{
    const double columns[] = {40, 120, 330, 420}; // date, file, capacity, weak
    const THealthText titles[] = {THealthText::Date, THealthText::File, THealthText::CapacityPct, THealthText::WeakCount};
    for (int col = 0; col < 4; ++col)
        AddCell(c, QRectF(columns[col], TableTop, 190, 13), HealthText(titles[col]), Qt::AlignLeft, true);
    const auto& tests = c.Trend.Tests;
    for (int t = 0; t < std::min<int>(int(tests.size()), MaxTestRows); ++t) {
        const TTrendTest& test = tests[size_t(t)];
        const double y = TableTop + 16 + t * RowHeight;
        const auto weak = std::count_if(test.Health.Batteries.begin(), test.Health.Batteries.end(),
                                        [](const TBatteryHealth& b) { return b.Weak; });
        AddCell(c, QRectF(columns[0], y, 78, 13), ShortDateText(test.Start.date()), Qt::AlignLeft);
        AddCell(c, QRectF(columns[1], y, 205, 13), QFileInfo(test.File).fileName(), Qt::AlignLeft);
        AddCell(c, QRectF(columns[2], y, 60, 13), FormatLocale("%.1f", test.Health.StringPct), Qt::AlignRight);
        AddCell(c, QRectF(columns[3], y, 30, 13), QString::number(weak), Qt::AlignRight);
    }
}

void AddFallers(TTrendReportContent& c)
{
    const double columns[] = {470, 540, 612, 684};
    const THealthText titles[] = {THealthText::Battery, THealthText::First, THealthText::Last, THealthText::Drop};
    for (int col = 0; col < 4; ++col)
        AddCell(c, QRectF(columns[col], TableTop, 70, 13), HealthText(titles[col]), Qt::AlignRight, true);
    const std::vector<TTrendFaller> fallers = BiggestFallers(c.Trend, FallerCount);
    if (fallers.empty())
        c.Labels.push_back({QRectF(470, TableTop + 16, 284, 30), HealthText(THealthText::NoFallers), Qt::AlignLeft | Qt::AlignTop,
                            ReportFont(8), Qt::black, true});
    for (size_t i = 0; i < fallers.size(); ++i) {
        const double y = TableTop + 16 + double(i) * RowHeight;
        const TTrendFaller& f = fallers[i];
        const QString cells[] = {QString::number(f.Battery), FormatLocale("%.1f", f.First), FormatLocale("%.1f", f.Last),
                                 FormatLocale("%.1f", f.Drop())};
        for (int col = 0; col < 4; ++col)
            AddCell(c, QRectF(columns[col], y, 70, 13), cells[col], Qt::AlignRight);
    }
}

void PaintChart(QPainter& p, const TReportCanvas& canvas, const TTrendReportContent& c)
{
    const TTrend& trend = c.Trend;
    const TTrendForecast& f = trend.Forecast;
    if (trend.Tests.empty())
        return;
    const QRectF plot(ChartBox.x() + 34, ChartBox.y() + 8, ChartBox.width() - 44, ChartBox.height() - 40);
    double first = double(trend.Tests.front().Start.date().toJulianDay());
    double last = double(trend.Tests.back().Start.date().toJulianDay());
    if (f.ThresholdDate)
        last = std::max(last, double(f.ThresholdDate->toJulianDay()));
    const double margin = std::max((last - first) * 0.06, 10.0);
    first -= margin;
    last += margin;
    double top = std::max(100.0, c.Threshold);
    for (const TTrendTest& t : trend.Tests)
        if (std::isfinite(t.Health.StringPct))
            top = std::max(top, t.Health.StringPct);
    const double yStep = TickStep(top, 6);
    const double yMax = std::ceil(top * 1.05 / yStep) * yStep;
    const auto xOf = [&](double day) { return plot.left() + (day - first) / (last - first) * plot.width(); };
    const auto yOf = [&](double v) { return plot.bottom() - std::clamp(v, 0.0, yMax) / yMax * plot.height(); };
    const auto point = [&](double x, double y) { return canvas.Device(QRectF(x, y, 0, 0)).topLeft(); };
    const double unit = canvas.Scale();
    const QFont small = ReportFont(7);

    PaintValueAxis(p, canvas, plot, yMax, yStep);
    p.setPen(QPen(QColor(200, 40, 40), unit * 0.9, Qt::DotLine));
    p.drawLine(point(plot.left(), yOf(c.Threshold)), point(plot.right(), yOf(c.Threshold)));
    canvas.Draw(TReportLabel{QRectF(plot.right() - 200, yOf(c.Threshold) - 13, 198, 12),
                             HealthText(THealthText::Threshold).arg(FormatLocale("%g", c.Threshold)),
                             Qt::AlignRight | Qt::AlignBottom, small, QColor(200, 40, 40)});
    if (f.ThresholdDate) {
        const double x0 = double(f.First.toJulianDay()), x1 = double(f.ThresholdDate->toJulianDay());
        p.setPen(QPen(QColor(200, 40, 40), unit * 1.2, Qt::DashLine));
        p.drawLine(point(xOf(x0), yOf(f.Intercept)), point(xOf(x1), yOf(f.Intercept + f.Slope * (x1 - x0))));
        canvas.Draw(TReportLabel{QRectF(xOf(x1) - 40, yOf(c.Threshold) + 3, 80, 10), ShortDateText(*f.ThresholdDate),
                                 Qt::AlignHCenter | Qt::AlignTop, small, QColor(200, 40, 40)});
    }
    p.setPen(QPen(QColor(70, 120, 180), unit * 1.6));
    p.setBrush(QColor(70, 120, 180));
    QPointF previous;
    for (size_t i = 0; i < trend.Tests.size(); ++i) {
        const TTrendTest& t = trend.Tests[i];
        const QPointF at = point(xOf(double(t.Start.date().toJulianDay())), yOf(t.Health.StringPct));
        if (i > 0)
            p.drawLine(previous, at);
        p.drawEllipse(at, unit * 3, unit * 3);
        previous = at;
        canvas.Draw(TReportLabel{QRectF(xOf(double(t.Start.date().toJulianDay())) - 40, plot.bottom() + 2, 80, 10),
                                 ShortDateText(t.Start.date()), Qt::AlignHCenter | Qt::AlignTop, small});
    }
    canvas.Draw(TReportLabel{QRectF(plot.left(), plot.bottom() + 16, plot.width(), 12), HealthText(THealthText::TestDate),
                             Qt::AlignHCenter | Qt::AlignTop, ReportFont(8)});
    canvas.Draw(TReportLabel{QRectF(ChartBox.x() - 2, ChartBox.y() - 14, 300, 12), HealthText(THealthText::StringCapacity),
                             Qt::AlignLeft | Qt::AlignTop, ReportFont(8)});
}
} // namespace

TTrendReportContent PrepareTrendReport(const TTrend& trend, double threshold, const QDate& today)
{
    TTrendReportContent c;
    c.Trend = trend;
    c.Threshold = threshold;
    c.Logo = PlaceLogo(ReportLogo(), QRectF(660, 30, 95, 62), 754);
    c.Labels.push_back({QRectF(40, 36, 714, 28), HealthText(THealthText::TrendTitle), Qt::AlignHCenter | Qt::AlignTop,
                        ReportFont(14, true, true)});
    if (!trend.Tests.empty())
        c.Labels.push_back({QRectF(40, 80, 714, 16), trend.Tests.front().Set.Text(), Qt::AlignLeft | Qt::AlignTop, ReportFont(10, true)});
    c.Labels.push_back({QRectF(40, 100, 714, 16), ForecastText(trend.Forecast, threshold, today), Qt::AlignLeft | Qt::AlignTop,
                        ReportFont(10, true), QColor(150, 0, 0)});
    AddTests(c);
    AddFallers(c);
    return c;
}

void PrintTrendReport(QPagedPaintDevice& device, const TTrendReportContent& content)
{
    PrintPortraitPage(
        device, [&](QPainter& painter, const TReportCanvas& canvas) { PaintChart(painter, canvas, content); }, content.Logo,
        content.Labels);
}

void WriteTrendReportPdf(const QString& path, const TTrendReportContent& content)
{
    WriteReportPdf(path, HealthText(THealthText::TrendTitle), 300, [&](QPagedPaintDevice& device) { PrintTrendReport(device, content); });
}

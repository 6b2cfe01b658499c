#include "presentation/HealthReport.h"

#include "app/ProgramState.h"
#include "evaluation/HealthTexts.h"
#include "model/LocaleFormat.h"
#include "presentation/JpegLogo.h"
#include "presentation/PortraitPage.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
const QRectF ChartBox(40, 318, 714, 272);
constexpr double TableTop = 626, RowHeight = 12.4, BlockWidth = 238;
constexpr double ColumnWidths[] = {38, 62, 50, 50, 38};

QString Trimmed(QString s)
{
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);
    return s.trimmed();
}

void AddLine(THealthReportContent& c, double top, const QString& caption, const QString& value, bool bold = false)
{
    c.Labels.push_back({QRectF(40, top, 190, 16), caption, Qt::AlignLeft | Qt::AlignTop, ReportFont(9)});
    c.Labels.push_back({QRectF(230, top, 520, 16), value, Qt::AlignLeft | Qt::AlignTop, ReportFont(9, bold)});
}

QString WeakList(const TStringHealth& h)
{
    QStringList numbers;
    for (int i : WeakestFirst(h))
        if (const TBatteryHealth& b = h.Batteries[size_t(i)]; b.Weak)
            numbers << QStringLiteral("%1 (%2)").arg(b.Number).arg(WeakReasonsText(b));
    return numbers.isEmpty() ? HealthText(THealthText::NoneWeak) : numbers.join(QStringLiteral("; "));
}

void AddHeader(THealthReportContent& c, const TProgramState& state)
{
    const TMainTexts& t = state.Texts;
    const TMainCaptions& l = state.Captions;
    const TStringHealth& h = c.Health;
    c.Labels.push_back({QRectF(40, 36, 714, 28), HealthText(THealthText::Title), Qt::AlignHCenter | Qt::AlignTop,
                        ReportFont(14, true, true)});
    double y = 96;
    const auto line = [&](const QString& caption, const QString& value, bool bold = false) {
        AddLine(c, y, caption + QLatin1Char(':'), value, bold);
        y += 17;
    };
    line(l.Llokalita, t.Hlokalita);
    line(l.Lcislo_baterie, t.Hcislo_baterie);
    line(l.Lcislo_mereni, t.Hcislo_mereni);
    line(l.Ldatum, Trimmed(t.Hdatum) + QLatin1Char(' ') + Trimmed(t.Hcas));
    line(l.Ltypbat, t.Gtypbat);
    line(l.Lzkouska, t.Gtypzk + QStringLiteral(" min"));
    line(HealthText(THealthText::EndVoltage), FormatLocale("%.3f V", h.BatteryEndVoltage));
    line(HealthText(THealthText::StringCapacityLine),
         FormatLocale("%.1f %%", h.StringPct) + (t.Hhodnoceni.isEmpty() ? QString() : QStringLiteral("  ") + t.Hhodnoceni), true);
    line(HealthText(THealthText::WeakRule), HealthText(THealthText::WeakRuleValue).arg(FormatLocale("%g", h.Deviation)));
    line(HealthText(THealthText::WeakList), WeakList(h), true);
    // What the test can tell beyond the list, each sentence on a line of its own.
    for (const QString& note : HealthNotes(h)) {
        c.Labels.push_back({QRectF(40, y, 714, 15), note, Qt::AlignLeft | Qt::AlignTop, ReportFont(8.5, true), QColor(150, 0, 0)});
        y += 15;
    }
}

QString MinutesText(const TBatteryHealth& b)
{
    return b.Reached ? FormatLocale("%.1f", b.SecondsToEnd / 60.0) : QStringLiteral("—");
}

void AddTable(THealthReportContent& c)
{
    const QFont font = ReportFont(7.5), head = ReportFont(7.5, true);
    const QStringList titles{HealthText(THealthText::ShortBattery), HealthText(THealthText::ShortMinutes),
                             HealthText(THealthText::ShortVoltage), HealthText(THealthText::ShortCapacity), QString()};
    const std::vector<int> order = WeakestFirst(c.Health);
    const int blocks = std::max(1, int(std::ceil(order.size() / double(HealthReportRowsPerBlock))));
    for (int block = 0; block < blocks; ++block) {
        double x = 40 + block * BlockWidth;
        for (int col = 0; col < 5; ++col) {
            c.Labels.push_back({QRectF(x, TableTop, ColumnWidths[col] - 4, 13), titles[col], Qt::AlignRight | Qt::AlignTop, head});
            x += ColumnWidths[col];
        }
    }
    for (size_t i = 0; i < order.size(); ++i) {
        const TBatteryHealth& b = c.Health.Batteries[size_t(order[i])];
        const int block = int(i) / HealthReportRowsPerBlock;
        const double y = TableTop + 16 + (int(i) % HealthReportRowsPerBlock) * RowHeight;
        const QString cells[] = {QString::number(b.Number), MinutesText(b), FormatLocale("%.2f", b.VoltageAtEnd),
                                 CapacityText(b), b.Weak ? HealthText(THealthText::Weak) : QString()};
        double x = 40 + block * BlockWidth;
        for (int col = 0; col < 5; ++col) {
            c.Labels.push_back({QRectF(x, y, ColumnWidths[col] - 4, 13), cells[col], Qt::AlignRight | Qt::AlignTop, font,
                                b.Weak ? QColor(176, 0, 0) : QColor(Qt::black)});
            x += ColumnWidths[col];
        }
    }
    c.Labels.push_back({QRectF(40, TableTop + 20 + HealthReportRowsPerBlock * RowHeight, 714, 13),
                        HealthText(THealthText::AtLeastNote), Qt::AlignLeft,
                        ReportFont(7.5)});
}

void PaintChart(QPainter& p, const TReportCanvas& canvas, const TStringHealth& h)
{
    const QRectF plot(ChartBox.x() + 34, ChartBox.y() + 8, ChartBox.width() - 40, ChartBox.height() - 40);
    double top = 0;
    for (const TBatteryHealth& b : h.Batteries)
        top = std::max({top, std::isfinite(b.CapacityPct) ? b.CapacityPct : 0, std::isfinite(b.CapacityAtLeast) ? b.CapacityAtLeast : 0});
    const double yStep = TickStep(std::max(top, 100.0), 6);
    const double yMax = std::ceil(std::max(top, 100.0) * 1.05 / yStep) * yStep;
    const auto yOf = [&](double v) { return plot.bottom() - v / yMax * plot.height(); };
    const double unit = canvas.Scale();
    const QFont small = ReportFont(7);

    PaintValueAxis(p, canvas, plot, yMax, yStep);
    const size_t n = h.Batteries.size();
    const double slot = n > 0 ? plot.width() / n : plot.width();
    const int labelEvery = n <= 36 ? 1 : n <= 72 ? 2 : 5;
    p.setPen(Qt::NoPen);
    for (size_t i = 0; i < n; ++i) {
        const TBatteryHealth& b = h.Batteries[i];
        const double shown = b.Reached ? b.CapacityPct : b.CapacityAtLeast;
        const double value = std::isfinite(shown) ? std::clamp(shown, 0.0, yMax) : 0;
        const QRectF bar(plot.left() + i * slot + slot * 0.12, yOf(value), slot * 0.76, plot.bottom() - yOf(value));
        p.setBrush(b.Weak ? QColor(200, 40, 40) : b.Reached ? QColor(70, 120, 180) : QColor(170, 190, 215));
        p.drawRect(canvas.Device(bar));
        if (LabelledOnChart(h, i, labelEvery))
            canvas.Draw(TReportLabel{QRectF(plot.left() + i * slot - 6, plot.bottom() + 2, slot + 12, 10),
                                     QString::number(b.Number), Qt::AlignHCenter | Qt::AlignTop, small,
                                     b.Weak ? QColor(176, 0, 0) : QColor(Qt::black)});
    }
    // The median labelled at the left, the threshold at the right: the two often lie close.
    const auto level = [&](double v, const QPen& pen, const QString& text, Qt::Alignment side) {
        if (!std::isfinite(v))
            return;
        p.setPen(pen);
        p.drawLine(canvas.Device(QRectF(plot.left(), yOf(v), 0, 0)).topLeft(),
                   canvas.Device(QRectF(plot.right(), yOf(v), 0, 0)).topLeft());
        const double left = side == Qt::AlignLeft ? plot.left() + 2 : plot.right() - 200;
        canvas.Draw(TReportLabel{QRectF(left, yOf(v) - 13, 198, 12), text, side | Qt::AlignBottom, small, pen.color()});
    };
    level(h.Median, QPen(QColor(0, 110, 0), unit * 1.2), HealthText(THealthText::Median).arg(FormatLocale("%.1f", h.Median)),
          Qt::AlignLeft);
    level(h.Threshold, QPen(QColor(200, 40, 40), unit * 0.9, Qt::DashLine),
          HealthText(THealthText::Threshold).arg(FormatLocale("%g", h.Threshold)), Qt::AlignRight);
    canvas.Draw(TReportLabel{QRectF(plot.left(), plot.bottom() + 14, plot.width(), 12), HealthText(THealthText::Battery),
                             Qt::AlignHCenter | Qt::AlignTop, ReportFont(8)});
    canvas.Draw(TReportLabel{QRectF(ChartBox.x() - 2, ChartBox.y() - 14, 200, 12), HealthText(THealthText::CapacityPct),
                             Qt::AlignLeft | Qt::AlignTop, ReportFont(8)});
}
} // namespace

THealthReportContent PrepareHealthReport(const TProgramState& state, const TStringHealth& health)
{
    THealthReportContent c;
    c.Health = health;
    c.Logo = PlaceLogo(ReportLogo(), QRectF(660, 30, 95, 62), 754);
    AddHeader(c, state);
    AddTable(c);
    return c;
}

void PrintHealthReport(QPagedPaintDevice& device, const THealthReportContent& content)
{
    PrintPortraitPage(
        device, [&](QPainter& painter, const TReportCanvas& canvas) { PaintChart(painter, canvas, content.Health); },
        content.Logo, content.Labels);
}

void WriteHealthReportPdf(const QString& path, const THealthReportContent& content)
{
    WriteReportPdf(path, HealthText(THealthText::Title), 300, [&](QPagedPaintDevice& device) { PrintHealthReport(device, content); });
}

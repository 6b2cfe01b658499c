#include "presentation/TestReport.h"

#include "app/ProgramState.h"
#include "evaluation/HealthTexts.h"
#include "i18n/MessageCatalogue.h"
#include "model/LocaleFormat.h"
#include "presentation/JpegLogo.h"
#include "presentation/PixelColumns.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
constexpr double TableWidth = 620;
constexpr int CaptionPadding = 2; // layout units beside a row caption's text
constexpr double TableLine = 16;     // height of a battery-table line
constexpr double CutNoteGap = 18;    // from the last line to the note that the table is cut
constexpr double ChartGap = 10;      // from a long table's last line to the chart pushed below it
constexpr double MinChartHeight = 200;
const QRectF ChartBox = TTestReportContent().Chart; // the chart's design place
const double TableLimit = ChartBox.bottom() - MinChartHeight - ChartGap; // lowest bottom of a table line

QString Trimmed(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    return s.left(n);
}

int ScreenSize(const std::vector<int>& sizes, int index, int fallback)
{
    return index < int(sizes.size()) && sizes[size_t(index)] > 0 ? sizes[size_t(index)] : fallback;
}

// One header line: a caption sized to its text at x 41, in the captions' font, and a
// right-aligned value box in the value's font.
void AddLine(TTestReportContent& c, double top, const QString& caption, double left, double width,
             const QString& value, const QFont& valueFont = ReportFont(9), QColor colour = Qt::black)
{
    c.Labels.push_back({QRectF(41, top, 200, 16), caption, Qt::AlignLeft | Qt::AlignTop, ReportFont(9), colour});
    c.Labels.push_back({QRectF(left, top, width, 16), value, Qt::AlignRight | Qt::AlignTop, valueFont, colour});
}

QString WithColon(const QString& caption)
{
    return caption + QLatin1Char(':');
}

void AddHeader(TTestReportContent& c, const TProgramState& state)
{
    const TMainTexts& t = state.Texts;
    const TMainCaptions& l = state.Captions;
    const QFont normal = ReportFont(9);
    c.Labels.push_back({QRectF(30, 30, 838, 26), MessageText(QStringLiteral("QRgraf_titul")), Qt::AlignHCenter | Qt::AlignTop,
                        ReportFont(13, true, true)});
    c.Labels.push_back({QRectF(41, 88, 200, 16), WithColon(l.Llokalita), Qt::AlignLeft, normal});
    c.Labels.push_back({QRectF(40, 104, 201, 30), SplitAtComma(t.Hlokalita).join('\n'), Qt::AlignLeft | Qt::AlignTop,
                        ReportFont(11)});
    c.Labels.push_back({QRectF(41, 144, 200, 16), WithColon(l.Lzakazka), Qt::AlignLeft, normal});
    c.Labels.push_back({QRectF(40, 162, 195, 26), t.Hzakazka, Qt::AlignLeft | Qt::AlignTop, normal});
    AddLine(c, 209, WithColon(l.Lcislo_mereni), 152, 68, t.Hcislo_mereni);
    AddLine(c, 225, WithColon(l.Lcislo_baterie), 112, 109, t.Hcislo_baterie);
    AddLine(c, 241, WithColon(l.Ldatum), 152, 68, Trimmed(t.Hdatum));
    AddLine(c, 256, WithColon(l.Lcas), 152, 68, Trimmed(t.Hcas));
    AddLine(c, 273, WithColon(l.Ltypbat), 96, 124, t.Gtypbat);
    AddLine(c, 288, WithColon(l.Lzkouska), 152, 68, t.Gtypzk + QStringLiteral("min"));
    AddLine(c, 304, WithColon(t.Lvproud), 152, 68, Trimmed(t.Hvproud));
    AddLine(c, 319, WithColon(l.Lknap), 154, 66, Trimmed(t.Hknap));
    AddLine(c, 351, WithColon(l.Lperioda), 154, 66, Trimmed(t.Hperioda));
    AddLine(c, 367, WithColon(l.Ldelka_testu), 154, 66, Trimmed(t.Hdelka_testu));
    AddLine(c, 382, WithColon(MessageText(QStringLiteral("Teplota"))), 154, 66,
            FormatLocale("%5.1f°C", state.Choices.CompTemperature));
    const bool operatorShown = state.Settings.Provozovatel;
    AddLine(c, 399, operatorShown ? WithColon(l.Lprovoz) : QString(), 154, 66, operatorShown ? t.Hprovoz : QString());
    const QStringList measuredBy = SplitAtComma(t.Hmeril);
    AddLine(c, 415, WithColon(l.Lmeril), 104, 116, measuredBy.value(0));
    c.Labels.push_back({QRectF(104, 430, 116, 16), measuredBy.value(1), Qt::AlignRight | Qt::AlignTop, normal});
    AddLine(c, 462, WithColon(MessageText(QStringLiteral("Lvzkap"))), 128, 66, Trimmed(t.Lvzkap));
    const QFont capacity = ReportFont(10, true);
    AddLine(c, 481, WithColon(l.Lkapacita), 127, 67, Trimmed(t.Hkapacita), capacity);
    // Without "Druhá kapacita v tisku" the line is printed white: invisible, but in its place.
    AddLine(c, 497, QStringLiteral("Kapacita:"), 127, 67, Trimmed(t.Hkapacita1), capacity,
            state.Settings.DruhaKap ? QColor(Qt::black) : QColor(Qt::white));
    // The judgement of the capacity takes a line of its own under the two capacity lines,
    // laid out as they are; the note moves down for it.
    double noteTop = 517;
    if (!t.Hhodnoceni.isEmpty()) {
        const QString caption = HealthText(THealthText::Acceptance).arg(FormatLocale("%g", state.Settings.Health.AcceptanceThreshold));
        // A verdict stands beside its caption, lined up with the capacities; "cannot be judged"
        // with its reason takes a line of its own.
        const bool verdict = t.Hhodnoceni == HealthText(THealthText::Accepted) || t.Hhodnoceni == HealthText(THealthText::Rejected);
        if (verdict) {
            AddLine(c, 513, caption, 127, 67, t.Hhodnoceni, capacity);
            noteTop += 17;
        } else {
            AddLine(c, 513, caption, 127, 67, QString());
            c.Labels.push_back({QRectF(41, 530, 179, 16), t.Hhodnoceni, Qt::AlignRight | Qt::AlignTop, normal});
            noteTop += 34;
        }
    }
    c.Labels.push_back({QRectF(41, noteTop, 200, 16), WithColon(l.Lpoznamka), Qt::AlignLeft, normal});
    c.Labels.push_back({QRectF(43, noteTop + 14, 185, 574 - noteTop - 14), t.Hpoznamka, Qt::AlignLeft | Qt::AlignTop, normal,
                        Qt::black, true});
}

void AddChart(TTestReportContent& c, const TProgramState& state)
{
    const TTestRecord& record = state.Record();
    const TGraphSelection& graph = state.Graph;
    c.AxisTitleX = MessageText(QStringLiteral("QRgraf_x"));
    c.AxisTitleY = MessageText(QStringLiteral("QRgraf_y"));
    c.VoltageAxis = graph.Axis;
    for (int k = 0; k < graph.BatteryCount(); ++k) {
        if (!graph.Checked[size_t(k)])
            continue;
        TReportSeries series{graph.SeriesTitle(k, MessageText(QStringLiteral("Tbat"))), graph.Colours[size_t(k)], {}, graph.Body};
        for (int r = 0; r < record.RowCount; ++r)
            series.Points << QPointF(record.Rows[r].ElapsedSeconds / 60.0, record.Rows[r].Voltages[k]);
        c.Series.push_back(std::move(series));
    }
    if (graph.UCelkove) {
        TReportSeries total{MessageText(QStringLiteral("Tnapeti")), QColor(Qt::red), {}, false};
        for (int r = 0; r < record.RowCount; ++r)
            total.Points << QPointF(record.Rows[r].ElapsedSeconds / 60.0, record.Rows[r].TotalVoltage);
        c.Series.push_back(std::move(total));
    }
}

// The table's labels from `first` on: battery values in the largest font up to the
// captions' 9 points (down to 5) in which every value and a blank fit their column, so
// that neighbouring cells ("Bat99", "Bat100") never run together.
void FitValueFont(TTestReportContent& c, size_t first)
{
    const QFont full = ReportFont(9);
    double scale = 1;
    for (size_t i = first; i < c.Labels.size(); ++i) {
        const TReportLabel& l = c.Labels[i];
        if (l.Align & Qt::AlignRight && !l.Text.trimmed().isEmpty())
            scale = std::min(scale, l.Box.width() / TextWidth(l.Text.trimmed() + QLatin1Char(' '), full, TestReportUnitsPerInch));
    }
    if (scale >= 1)
        return;
    const QFont fitted = ReportFont(std::max(5.0, std::floor(9 * scale * 4) / 4));
    for (size_t i = first; i < c.Labels.size(); ++i)
        if (c.Labels[i].Align & Qt::AlignRight)
            c.Labels[i].Font = fitted;
}

void AddBatteryTable(TTestReportContent& c, const TProgramState& state)
{
    const TTextGrid& grid = state.BatteryGrid;
    const TGraphSelection& graph = state.Graph;
    std::vector<int> screen;
    for (int col = 0; col < grid.ColCount(); ++col)
        screen.push_back(ScreenSize(state.BatteryGridColWidths, col, col == 0 ? BatteryTitleColumnWidth : BatteryCellColumnWidth));
    std::vector<bool> checked(graph.Checked.begin(), graph.Checked.end());
    checked.resize(size_t(std::max(0, grid.ColCount() - 1)), false);
    std::vector<int> columns{0};
    for (size_t k = 0; k < checked.size(); ++k)
        if (checked[k])
            columns.push_back(int(k) + 1);
    const QFont font = ReportFont(9);
    const QString finalVoltage = MessageText(QStringLiteral("QRknap"));
    // The row captions are printed whole, unlike the values: their column takes the width
    // they need when the screen's width, scaled, would cut one.
    double captionWidth = TextWidth(finalVoltage, font, TestReportUnitsPerInch);
    for (int r = 1; r < grid.RowCount(); ++r)
        captionWidth = std::max(captionWidth, TextWidth(grid.Cell(0, r), font, TestReportUnitsPerInch));
    const std::vector<int> widths = IncludedColumnWidths(screen, checked, int(std::ceil(captionWidth)) + CaptionPadding);
    const size_t firstLabel = c.Labels.size();
    auto addRow = [&](double y, auto textOf) {
        double x = 250;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (c.TableCells >= ReportCellLimit) {
                c.TableCut = true;
                return;
            }
            const Qt::Alignment align = (i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop;
            c.Labels.push_back({QRectF(x, y, widths[i], TableLine), textOf(columns[i]), align, font});
            ++c.TableCells;
            x += widths[i];
        }
    };
    // Lines stop where the note about a cut table would no longer fit above the chart's least height.
    const double lineLimit = TableLimit - CutNoteGap;
    double y = 88;
    for (int r = 1; r < grid.RowCount(); ++r) {
        if (y + TableLine > lineLimit) {
            c.TableCut = true;
            break;
        }
        addRow(y, [&](int col) { return grid.Cell(col, r); });
        y += ScreenSize(state.BatteryGridRowHeights, r, BatteryRowHeight) - 6;
    }
    y += 10;
    const TTestRecord& record = state.Record();
    // A test without samples has no final voltage: the line prints empty values.
    const TMeasurementRow* last = record.RowCount > 0 ? &record.Rows[record.RowCount - 1] : nullptr;
    if (y + TableLine <= lineLimit)
        addRow(y, [&](int col) {
            if (col == 0)
                return finalVoltage;
            return last ? FormatLocale("%5.2f", last->Voltages[col - 1]) : QString();
        });
    else
        c.TableCut = true;
    FitValueFont(c, firstLabel);
    if (c.TableCut)
        c.Labels.push_back({QRectF(250, std::min(y + CutNoteGap, TableLimit - TableLine), TableWidth, TableLine),
                            QStringLiteral("… tabulka baterií se na stránku nevešla celá"), Qt::AlignLeft | Qt::AlignTop,
                            ReportFont(9, false)});
    // A table reaching the chart's top pushes the chart down; the chart keeps its bottom.
    double tableBottom = 0;
    for (size_t i = firstLabel; i < c.Labels.size(); ++i)
        tableBottom = std::max(tableBottom, c.Labels[i].Box.bottom());
    if (tableBottom > ChartBox.top())
        c.Chart.setTop(tableBottom + ChartGap);
}

void PaintChart(QPainter& p, const TReportCanvas& canvas, const TTestReportContent& c)
{
    const QFont small = ReportFont(8);
    const double legendRows = std::ceil(c.Series.size() / 6.0);
    const QRectF legend(c.Chart.x() + 40, c.Chart.y(), c.Chart.width() - 40, 10 + 13 * legendRows);
    const QRectF plot(c.Chart.x() + 40, legend.bottom() + 8, c.Chart.width() - 48, c.Chart.bottom() - legend.bottom() - 8 - 34);
    double xMax = 0;
    for (const TReportSeries& s : c.Series)
        for (const QPointF& pt : s.Points)
            xMax = std::max(xMax, pt.x());
    xMax = std::max(10.0, std::ceil(xMax / 10) * 10);
    // An empty range (no samples) still gets a plot of one volt.
    const double yMin = c.VoltageAxis.Min;
    const double yMax = c.VoltageAxis.Max > yMin ? c.VoltageAxis.Max : yMin + 1;
    auto map = [&](QPointF v) {
        return QPointF(plot.x() + v.x() / xMax * plot.width(), plot.bottom() - (v.y() - yMin) / (yMax - yMin) * plot.height());
    };

    const double unit = canvas.Scale();
    p.setPen(QPen(Qt::black, unit * 0.6));
    p.setBrush(Qt::white);
    p.drawRect(canvas.Device(plot));
    p.setBrush(Qt::NoBrush);
    // Grid and ticks: voltage every sensible step, time every 10 minutes.
    const double yStep = TickStep(yMax - yMin, 8);
    const double xStep = std::max(10.0, std::ceil(TickStep(xMax, 12) / 10) * 10);
    QPen grid(QColor(200, 200, 200), unit * 0.4, Qt::DotLine);
    for (double v = std::ceil(yMin / yStep) * yStep; v <= yMax + 1e-9; v += yStep) {
        const QPointF a = map({0, v});
        p.setPen(grid);
        p.drawLine(canvas.Device(QRectF(a, QSizeF(plot.width(), 0))).topLeft(),
                   canvas.Device(QRectF(a.x() + plot.width(), a.y(), 0, 0)).topLeft());
        p.setPen(QPen(Qt::black, unit * 0.6));
        p.drawLine(canvas.Device(QRectF(a.x() - 3, a.y(), 0, 0)).topLeft(), canvas.Device(QRectF(a, QSizeF())).topLeft());
        canvas.Draw(TReportLabel{QRectF(a.x() - 32, a.y() - 7, 28, 14), ProgramLocale().toString(v, 'g', 4),
                                 Qt::AlignRight | Qt::AlignVCenter, small});
    }
    for (double m = 0; m <= xMax + 1e-9; m += xStep) {
        const QPointF a = map({m, yMin});
        p.setPen(QPen(Qt::black, unit * 0.6));
        p.drawLine(canvas.Device(QRectF(a, QSizeF())).topLeft(), canvas.Device(QRectF(a.x(), a.y() + 3, 0, 0)).topLeft());
        canvas.Draw(TReportLabel{QRectF(a.x() - 20, a.y() + 4, 40, 12), QString::number(m), Qt::AlignHCenter | Qt::AlignTop, small});
    }
    canvas.Draw(TReportLabel{QRectF(plot.x(), plot.bottom() + 17, plot.width(), 14), c.AxisTitleX, Qt::AlignHCenter, ReportFont(9)});
    p.save();
    const QRectF yTitle = canvas.Device(QRectF(c.Chart.x() - 2, plot.y(), 14, plot.height()));
    p.translate(yTitle.center());
    p.rotate(-90);
    p.translate(-yTitle.center());
    canvas.Draw(TReportLabel{QRectF(c.Chart.x() - 2 + 7 - plot.height() / 2, plot.center().y() - 7, plot.height(), 14),
                             c.AxisTitleY, Qt::AlignCenter, ReportFont(9)});
    p.restore();

    p.save();
    p.setClipRect(canvas.Device(plot));
    for (const TReportSeries& s : c.Series) {
        QPolygonF line;
        line.reserve(s.Points.size());
        for (const QPointF& pt : s.Points)
            line << canvas.Device(QRectF(map(pt), QSizeF())).topLeft();
        p.setPen(QPen(s.Colour, unit * 0.8));
        p.drawPolyline(DropStraightStretches(KeepPixelColumnExtremes(line), 0.5));
        if (s.Markers) { // every sample keeps its marker
            p.setBrush(s.Colour);
            for (const QPointF& pt : line)
                p.drawEllipse(pt, unit * 1.5, unit * 1.5);
            p.setBrush(Qt::NoBrush);
        }
    }
    p.restore();

    // Legend at the top: colour swatch 40 wide, six entries per line.
    p.setPen(QPen(Qt::black, unit * 0.5));
    if (!c.Series.empty()) {
        p.setBrush(QColor(128, 128, 128));
        p.drawRect(canvas.Device(legend.translated(1, 1)));
        p.setBrush(Qt::white);
        p.drawRect(canvas.Device(legend));
    }
    const double cell = legend.width() / 6;
    for (size_t i = 0; i < c.Series.size(); ++i) {
        const double x = legend.x() + (i % 6) * cell + 4, y = legend.y() + 5 + (i / 6) * 13;
        p.setPen(QPen(c.Series[i].Colour, unit * 1.5));
        p.drawLine(canvas.Device(QRectF(x, y + 6, 0, 0)).topLeft(), canvas.Device(QRectF(x + 40 - 6, y + 6, 0, 0)).topLeft());
        canvas.Draw(TReportLabel{QRectF(x + 40, y, cell - 44, 13), c.Series[i].Title, Qt::AlignLeft | Qt::AlignVCenter, small});
    }
}
} // namespace

std::vector<int> IncludedColumnWidths(const std::vector<int>& screenWidths, const std::vector<bool>& checked,
                                      int captionWidth)
{
    std::vector<int> widths{screenWidths.empty() ? BatteryTitleColumnWidth : screenWidths[0]};
    for (size_t k = 0; k < checked.size(); ++k)
        if (checked[k])
            widths.push_back(k + 1 < screenWidths.size() ? screenWidths[k + 1] : BatteryCellColumnWidth);
    double sum = 0;
    for (int w : widths)
        sum += w;
    if (sum > TableWidth)
        for (int& w : widths)
            w = int(w * TableWidth / sum);
    if (widths[0] >= captionWidth)
        return widths;
    widths[0] = captionWidth;
    double values = 0;
    for (size_t i = 1; i < widths.size(); ++i)
        values += widths[i];
    const double room = std::max(0.0, TableWidth - captionWidth);
    if (values > room)
        for (size_t i = 1; i < widths.size(); ++i)
            widths[i] = int(widths[i] * room / values);
    return widths;
}

QStringList SplitAtComma(const QString& text)
{
    const qsizetype comma = text.indexOf(',');
    if (comma < 0)
        return {text};
    return {text.left(comma), text.mid(comma + 1)};
}

QString TestReportRefusal(const TProgramState& state)
{
    return state.Graph.CheckedCount() > ReportLimit ? MessageText(QStringLiteral("Preview_error")) : QString();
}

TTestReportContent PrepareTestReport(const TProgramState& state)
{
    TTestReportContent c;
    AddChart(c, state);
    c.Logo = PlaceLogo(ReportLogo(), QRectF(771, 31, 95, 62), 866);
    AddHeader(c, state);
    AddBatteryTable(c, state);
    return c;
}

void PaintTestReport(QPainter& painter, const TTestReportContent& content)
{
    const TReportCanvas canvas(painter, TestReportUnitsPerInch);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintChart(painter, canvas, content);
    canvas.Draw(content.Logo);
    for (const TReportLabel& label : content.Labels)
        canvas.Draw(label);
}

void PrintTestReport(QPagedPaintDevice& device, const TTestReportContent& content)
{
    PrepareReportDevice(device, true);
    QPainter painter(&device);
    PaintTestReport(painter, content);
}

void WriteTestReportPdf(const QString& path, const TTestReportContent& content)
{
    WriteReportPdf(path, MessageText(QStringLiteral("QRgraf_titul")), 600,
                   [&](QPagedPaintDevice& device) { PrintTestReport(device, content); });
}

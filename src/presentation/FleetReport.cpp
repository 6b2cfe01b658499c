#include "presentation/FleetReport.h"

#include "model/LocaleFormat.h"
#include "presentation/ReportPage.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr double UnitsPerInch = 96;
constexpr double Left = 40, Top = 40, RowHeight = 18;
// Column widths in layout units of a landscape A4 page (about 1050 wide inside).
const std::vector<double> Widths{95, 0, 40, 70, 70, 60, 55, 80, 330, 70, 60};

QString Date(const QDate& date)
{
    return date.isValid() ? ShortDateText(date) : QString();
}

QString Percent(std::optional<double> value, bool sign = false)
{
    if (!value)
        return QString();
    return FormatLocale(sign ? "%+.1f" : "%.1f", *value);
}

QString WeakText(const std::vector<TWeakBattery>& weak)
{
    QStringList parts;
    for (const TWeakBattery& w : weak) {
        QStringList reasons;
        for (const QString& key : w.Reasons)
            reasons << WeakReasonText(key);
        parts << QStringLiteral("%1 (%2)").arg(w.Battery).arg(reasons.join(QStringLiteral(", ")));
    }
    return parts.join(QStringLiteral("; "));
}

void PrintPage(QPainter& painter, const TReportCanvas& canvas, const QString& locality,
               const std::vector<const TFleetRow*>& rows, const QDate& printed)
{
    canvas.Draw(TReportLabel{{Left, Top, 700, 30}, FleetTitle + QStringLiteral(" – ") + locality,
                             Qt::AlignLeft | Qt::AlignVCenter, ReportFont(16, true)});
    canvas.Draw(TReportLabel{{Left + 700, Top, 330, 30}, ShortDateText(printed), Qt::AlignRight | Qt::AlignVCenter,
                             ReportFont(9)});
    double y = Top + 45;
    auto drawRow = [&](const QStringList& texts, bool bold, bool overdue) {
        double x = Left;
        for (int c = 0; c < texts.size(); ++c) {
            if (c == 1) // the locality is the page's
                continue;
            const bool number = c == 2 || c == 5 || c == 6;
            canvas.Draw(TReportLabel{{x, y, Widths[size_t(c)] - 4, RowHeight}, texts[c],
                                     (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                                     ReportFont(8, bold), overdue && c >= 9 ? QColor(Qt::red) : QColor(Qt::black)});
            x += Widths[size_t(c)];
        }
        painter.setPen(QPen(Qt::gray, 0));
        painter.drawLine(canvas.Device(QRectF(Left, y + RowHeight, x - Left, 0)).topLeft(),
                         canvas.Device(QRectF(Left, y + RowHeight, x - Left, 0)).topRight());
        y += RowHeight;
    };
    drawRow(FleetTitles(), true, false);
    for (const TFleetRow* row : rows)
        drawRow(FleetRowTexts(*row), false, row->Overdue);
}

} // namespace

const QStringList& FleetTitles()
{
    static const QStringList titles{
        QStringLiteral("Číslo baterie"), QStringLiteral("Lokalita"),      QStringLiteral("Testů"),
        QStringLiteral("První test"),    QStringLiteral("Poslední test"), QStringLiteral("Kapacita %"),
        QStringLiteral("Změna"),         QStringLiteral("Pod hranicí"),   QStringLiteral("Slabé baterie"),
        QStringLiteral("Příští test"),   QStringLiteral("Po termínu")};
    return titles;
}

QStringList FleetRowTexts(const TFleetRow& row)
{
    return {row.Set,
            row.Locality,
            QString::number(row.Tests),
            Date(row.FirstDate),
            Date(row.LastDate),
            Percent(row.LastCapacity),
            Percent(row.Change, true),
            row.Forecast ? Date(*row.Forecast) : QString(),
            WeakText(row.Weak),
            Date(row.Due),
            row.Overdue ? QStringLiteral("ano") : QString()};
}

void PrintFleetReport(QPagedPaintDevice& device, const std::vector<TFleetRow>& rows, const QDate& printed)
{
    PrepareReportDevice(device, true);
    QPainter painter(&device);
    const TReportCanvas canvas(painter, UnitsPerInch);
    const QStringList localities = FleetLocalities(rows);
    // Rows beyond one page's room go on to a page of their own under the same title.
    const int perPage = int((device.height() / canvas.Scale()
                             - Top - 45) / RowHeight) - 1;
    bool first = true;
    for (const QString& locality : localities) {
        std::vector<const TFleetRow*> mine;
        for (const TFleetRow& row : rows)
            if (row.Locality == locality)
                mine.push_back(&row);
        for (size_t from = 0; from < mine.size(); from += size_t(std::max(perPage, 1))) {
            if (!first)
                device.newPage();
            first = false;
            const size_t to = std::min(mine.size(), from + size_t(std::max(perPage, 1)));
            PrintPage(painter, canvas, locality, {mine.begin() + long(from), mine.begin() + long(to)}, printed);
        }
    }
}

void WriteFleetReportPdf(const QString& path, const std::vector<TFleetRow>& rows, const QDate& printed)
{
    WriteReportPdf(path, FleetTitle, 300, [&](QPagedPaintDevice& device) { PrintFleetReport(device, rows, printed); });
}

#include "presentation/ReportPage.h"

#include "model/Errors.h"
#include "model/WholeFileWrite.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

QFont ReportFont(double points, bool bold, bool underline)
{
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Arial"))
                                      ? QStringLiteral("Arial")
                                      : QStringLiteral("Liberation Sans");
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

double TextWidth(const QString& text, const QFont& font, double unitsPerInch)
{
    // Measured at ten device dots per unit, so that hinting at a coarse size does not count.
    constexpr double DotsPerUnit = 10;
    QImage device(1, 1, QImage::Format_Mono);
    const int dotsPerMetre = qRound(unitsPerInch * DotsPerUnit / 0.0254);
    device.setDotsPerMeterX(dotsPerMetre);
    device.setDotsPerMeterY(dotsPerMetre);
    return QFontMetricsF(font, &device).horizontalAdvance(text) / DotsPerUnit;
}

TReportCanvas::TReportCanvas(QPainter& painter, double unitsPerInch)
    : painter_(painter), scale_(painter.device()->logicalDpiX() / unitsPerInch)
{
}

QRectF TReportCanvas::Device(const QRectF& units) const
{
    return QRectF(units.x() * scale_, units.y() * scale_, units.width() * scale_, units.height() * scale_);
}

void TReportCanvas::Draw(const TReportLabel& label) const
{
    if (label.Text.isEmpty())
        return;
    painter_.setFont(label.Font);
    painter_.setPen(label.Colour);
    int flags = int(label.Align);
    if (label.Wrap)
        flags |= Qt::TextWordWrap;
    painter_.drawText(Device(label.Box), flags, label.Text);
}

void TReportCanvas::Draw(const TReportPicture& picture) const
{
    if (!picture.Picture.isNull())
        painter_.drawImage(Device(picture.Box), picture.Picture);
}

double TickStep(double span, int count)
{
    if (span <= 0)
        return 1;
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power)
            return m * power;
    return 10 * power;
}

TReportPicture PlaceLogo(const QImage& logo, QRectF box, double right)
{
    if (logo.isNull())
        return {box, {}};
    return {QRectF(right - logo.width(), box.y(), logo.width(), logo.height()), logo};
}

void PrepareReportDevice(QPagedPaintDevice& device, bool landscape)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void WriteReportPdf(const QString& path, const QString& title, int dotsPerInch,
                    const std::function<void(QPagedPaintDevice&)>& print)
{
    // Built in memory and stored in one piece, as every file the program saves.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setResolution(dotsPerInch);
        writer.setTitle(title);
        print(writer);
    } // the writer finishes the document when it goes
    WriteWholeFile(path, document.data());
}

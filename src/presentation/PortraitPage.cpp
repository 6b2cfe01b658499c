#include "presentation/PortraitPage.h"

#include <QPagedPaintDevice>
#include <QLocale>
#include <QPainter>

void PaintValueAxis(QPainter& p, const TReportCanvas& canvas, const QRectF& plot, double yMax, double yStep)
{
    const double unit = canvas.Scale();
    p.setPen(QPen(Qt::black, unit * 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(canvas.Device(plot));
    for (double v = 0; v <= yMax + 1e-9; v += yStep) {
        const double y = plot.bottom() - v / yMax * plot.height();
        p.setPen(QPen(QColor(200, 200, 200), unit * 0.4, Qt::DotLine));
        p.drawLine(canvas.Device(QRectF(plot.left(), y, 0, 0)).topLeft(), canvas.Device(QRectF(plot.right(), y, 0, 0)).topLeft());
        canvas.Draw(TReportLabel{QRectF(plot.left() - 32, y - 6, 28, 12), QLocale().toString(v), Qt::AlignRight | Qt::AlignVCenter,
                                 ReportFont(7)});
    }
}

void PrintPortraitPage(QPagedPaintDevice& device, const TChartPainter& chart, const TReportPicture& logo,
                       const std::vector<TReportLabel>& labels)
{
    PrepareReportDevice(device, false);
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    const TReportCanvas canvas(painter, PortraitUnitsPerInch);
    chart(painter, canvas);
    canvas.Draw(logo);
    for (const TReportLabel& label : labels)
        canvas.Draw(label);
}

#include "presentation/PortraitPage.h"

#include <QPagedPaintDevice>
#include <QPainter>

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

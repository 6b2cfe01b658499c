#pragma once
// Printed pages laid out in screen units (96 per inch) at a zoom, drawn with QPainter
// onto any paged device: a PDF file or the print preview's printer.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

struct TReportLabel {
    QRectF Box;                         // layout units from the page's top-left corner
    QString Text;
    Qt::Alignment Align = Qt::AlignLeft | Qt::AlignTop;
    QFont Font;
    QColor Colour = Qt::black;
    bool Wrap = false;
};

struct TReportPicture {
    QRectF Box;
    QImage Picture;                     // null: the box stays empty
};

// Arial at a point size, Liberation Sans standing in where Arial is missing.
QFont ReportFont(double points, bool bold = false, bool underline = false);

// The width a text needs in a font, in layout units of `unitsPerInch`.
double TextWidth(const QString& text, const QFont& font, double unitsPerInch);

// Maps layout units to the device. A page laid out at 96 units per inch shown at 80 %
// prints at 76.8 units per inch: every position and size grows by 1 / 0.8. Fonts keep their
// point size on paper, whatever the zoom.
class TReportCanvas {
public:
    TReportCanvas(QPainter& painter, double unitsPerInch);
    void Draw(const TReportLabel& label) const;
    void Draw(const TReportPicture& picture) const;
    QRectF Device(const QRectF& units) const;
    double Scale() const { return scale_; }

private:
    QPainter& painter_;
    double scale_; // device pixels per layout unit
};

// Tick step for a range, 1, 2 or 5 times a power of ten, about `count` ticks.
double TickStep(double span, int count);

// A logo box at `box` sized to its picture, its right edge at `right` when a picture is there.
TReportPicture PlaceLogo(const QImage& logo, QRectF box, double right);

// Fonts are given in points; the page device's resolution decides their pixel size.
void PrepareReportDevice(QPagedPaintDevice& device, bool landscape);

// Writes a report into a PDF file through `print`. A file that cannot be written throws
// VybitorError("Unable to write to <path>") and leaves a file already there as it was.
void WriteReportPdf(const QString& path, const QString& title, int dotsPerInch,
                    const std::function<void(QPagedPaintDevice&)>& print);

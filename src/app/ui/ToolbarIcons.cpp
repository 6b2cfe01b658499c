#include "app/ui/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor Ink(40, 60, 90);

void DrawOpen(QPainter& p)
{
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(3, 8, 22, 19);
    p.setBrush(QColor(250, 225, 130));
    p.drawPolygon(QPolygon({QPoint(7, 14), QPoint(30, 14), QPoint(25, 27), QPoint(3, 27)}));
}

void DrawSave(QPainter& p)
{
    p.setBrush(QColor(70, 110, 190));
    p.drawRoundedRect(4, 4, 24, 24, 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(9, 5, 14, 9);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(9, 19, 14, 9);
}

void DrawPrint(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawRect(9, 3, 14, 10);
    p.setBrush(QColor(150, 155, 165));
    p.drawRoundedRect(3, 12, 26, 11, 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(9, 19, 14, 10);
}

void DrawDownload(QPainter& p)
{
    p.setBrush(QColor(60, 160, 80));
    p.drawPolygon(QPolygon({QPoint(12, 3), QPoint(20, 3), QPoint(20, 14), QPoint(26, 14),
                            QPoint(16, 24), QPoint(6, 14), QPoint(12, 14)}));
    p.setBrush(QColor(120, 120, 130));
    p.drawRect(4, 25, 24, 4);
}

void DrawGraph(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawRect(3, 3, 26, 26);
    p.setPen(QPen(QColor(200, 40, 40), 2));
    p.drawPolyline(QPolygon({QPoint(5, 8), QPoint(12, 10), QPoint(19, 13), QPoint(24, 18), QPoint(27, 26)}));
    p.setPen(QPen(QColor(40, 90, 200), 2));
    p.drawPolyline(QPolygon({QPoint(5, 12), QPoint(13, 14), QPoint(20, 17), QPoint(27, 22)}));
}

void DrawData(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawRect(3, 4, 26, 24);
    p.setBrush(QColor(179, 225, 218));
    p.drawRect(3, 4, 26, 6);
    for (int y = 16; y < 28; y += 6)
        p.drawLine(3, y, 29, y);
    for (int x = 11; x < 29; x += 9)
        p.drawLine(x, 4, x, 28);
}

void DrawArchive(QPainter& p)
{
    p.setBrush(QColor(180, 130, 80));
    p.drawRect(3, 5, 26, 7);
    p.setBrush(QColor(205, 160, 105));
    p.drawRect(5, 12, 22, 16);
    p.setBrush(Ink);
    p.drawRect(12, 16, 8, 3);
}

void DrawSettings(QPainter& p)
{
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(16, 16);
        p.rotate(45.0 * i);
        p.setBrush(QColor(120, 125, 140));
        p.drawRect(-3, -14, 6, 7);
        p.restore();
    }
    p.setBrush(QColor(120, 125, 140));
    p.drawEllipse(QPoint(16, 16), 10, 10);
    p.setBrush(Qt::white);
    p.drawEllipse(QPoint(16, 16), 4, 4);
}

} // namespace

QIcon ToolbarIcon(TToolbarIcon which)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1.2));
    switch (which) {
    case TToolbarIcon::Open: DrawOpen(p); break;
    case TToolbarIcon::Save: DrawSave(p); break;
    case TToolbarIcon::Print: DrawPrint(p); break;
    case TToolbarIcon::Download: DrawDownload(p); break;
    case TToolbarIcon::Graph: DrawGraph(p); break;
    case TToolbarIcon::Data: DrawData(p); break;
    case TToolbarIcon::Archive: DrawArchive(p); break;
    case TToolbarIcon::Settings: DrawSettings(p); break;
    }
    return QIcon(pixmap);
}

#pragma once
// Widgets the pages of the battery health window share.

#include <QTableWidgetItem>
#include <qcustomplot.h>

inline const QColor WeakColour(200, 40, 40), WeakRowColour(250, 215, 215), BarColour(70, 120, 180);
// A lower bound, not a measurement: paler bars, grey cells.
inline const QColor AtLeastColour(170, 190, 215), AtLeastCellColour(225, 225, 225);

inline QCustomPlot* NewChart(QWidget* parent, const QString& name)
{
    auto* chart = new QCustomPlot(parent);
    chart->setObjectName(name);
    chart->setBackground(QColor(223, 243, 247));
    chart->axisRect()->setBackground(Qt::white);
    chart->setMinimumSize(200, 160);
    return chart;
}

inline QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    return item;
}

#pragma once
// The fleet of battery sets on paper: one A4 landscape page per locality, the sets in the
// order of the view, with the forecast, the weak batteries and the due date.

#include "admin/FleetTable.h"

#include <QStringList>
#include <vector>

class QPagedPaintDevice;

inline const QString FleetTitle = QStringLiteral("Přehled sad baterií");

// The texts of one fleet row as the view and the page show them (dates and numbers in the
// program's locale): set, locality, tests, first, last, capacity, change, forecast, weak,
// due date, overdue.
QStringList FleetRowTexts(const TFleetRow& row);
// The column titles of those texts.
const QStringList& FleetTitles();

void PrintFleetReport(QPagedPaintDevice& device, const std::vector<TFleetRow>& rows, const QDate& printed);
// Through the report writer; an unwritable path throws VybitorError and leaves files alone.
void WriteFleetReportPdf(const QString& path, const std::vector<TFleetRow>& rows, const QDate& printed);

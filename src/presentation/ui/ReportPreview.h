#pragma once
// The print preview both reports open: application-modal, gone when closed.

#include <QPrintPreviewDialog>
#include <functional>

class QPrinter;

QPrintPreviewDialog* OpenReportPreview(QPrinter& printer, const QString& title, std::function<void(QPrinter&)> paint);

#include "presentation/ui/ReportPreview.h"

#include <QPrinter>

QPrintPreviewDialog* OpenReportPreview(QPrinter& printer, const QString& title, std::function<void(QPrinter&)> paint)
{
    auto* dialog = new QPrintPreviewDialog(&printer);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->resize(1000, 760);
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [paint = std::move(paint)](QPrinter* device) { paint(*device); });
    dialog->show();
    return dialog;
}

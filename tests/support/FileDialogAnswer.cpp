#include "support/FileDialogAnswer.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

void AnswerFileDialog(const QString& file, QString* proposed, QStringList* filters)
{
    QTimer::singleShot(20, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            AnswerFileDialog(file, proposed, filters);
            return;
        }
        if (proposed)
            *proposed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        if (filters)
            *filters = dialog->nameFilters();
        if (file.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(file);
        // Typed as a user types it: the several-files mode reads the name field.
        dialog->setDirectory(QFileInfo(file).path());
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QFileInfo(file).fileName());
        static_cast<QDialog*>(dialog)->accept(); // as the Save or Open button does
    });
}

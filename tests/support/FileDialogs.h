#pragma once
// Real file dialogs in window tests: the answer is typed into the dialog once it is open.

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QTimer>

// Answers the next file dialog once it is open: notes what it proposes, then chooses
// `file` (or cancels when it is empty).
inline void AnswerFileDialog(const QString& file, QString* proposed = nullptr, QStringList* filters = nullptr)
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

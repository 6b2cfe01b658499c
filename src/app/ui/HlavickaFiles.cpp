// "Ulož" and "Otevři" of the main window: the file dialogs; core does the rest.
#include "app/ui/Hlavicka.h"

#include "app/ProgramState.h"
#include "files/TestFileCommands.h"
#include "tester/TestDirectory.h"

#include <QFileDialog>

void TFmain::TBXulozClick()
{
    QFileDialog dialog(this, QString(), state_.LastDirectory);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Text files (*.txt *.TXT)"), QStringLiteral("Excel files (*.xls *.XLS)"),
                           QStringLiteral("Excel files (*.xlsx *.XLSX)")});
    dialog.setDefaultSuffix(QStringLiteral("TXT"));
    dialog.selectFile(ProposedTestFileName(state_)); // the dialog asks before it overwrites
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    RememberFolder(state_, path);
    SaveTestAs(state_, path);
    emit TestFileUsed(path);
}

void TFmain::TBXotevriClick()
{
    QFileDialog dialog(this, QString(), state_.LastDirectory, QStringLiteral("Test (*.T* *.t*)"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix(QStringLiteral("TXT"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    OpenChosenTestFile(dialog.selectedFiles().first()); // several may be chosen; the first opens
}

void TFmain::OpenChosenTestFile(const QString& path)
{
    RememberFolder(state_, path);
    OpenTestFile(state_, TTestDirectory::Instance(), path);
    emit state_.TextsChanged();
    emit state_.BatteryGridChanged();
    emit state_.MeasurementTableChanged();
    emit TestFileUsed(path);
}

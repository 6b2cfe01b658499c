#pragma once
// Window TFprehled (unit Prehled): every battery set of the archive index, one row each,
// sorted by the forecast of reaching the acceptance threshold, then by the due date;
// filtered by locality, printed one page per locality; a double-click shows the set's
// trend in the battery health window.

#include "admin/FleetTable.h"

#include <QMainWindow>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QTableWidget;
class QToolBar;
class TProgramState;

class TFprehled : public QMainWindow {
    Q_OBJECT
public:
    explicit TFprehled(TProgramState& state, QWidget* parent = nullptr);

    // Shows the window with the sets the index holds now.
    void Open();
    void TBXobnovClick();      // the sets read from the index again
    void TBXtiskClick();       // print preview, one page per locality
    void TBXpdfClick();        // the pages into a PDF file chosen by ChoosePdfPath
    void OpenTrendOfRow(int row);
    const std::vector<TFleetRow>& Rows() const { return rows_; }

    // The save dialog of "PDF": proposed path in, chosen path out (empty when cancelled).
    std::function<QString(const QString& proposed)> ChoosePdfPath;
    // The day the due dates are compared with (tests pin it).
    QDate Today = QDate::currentDate();

    QToolBar* TBXToolbar1 = nullptr;
    QAction *TBXobnov = nullptr, *TBXtisk = nullptr, *TBXpdf = nullptr;
    QComboBox* Clokalita = nullptr; // "všechny lokality" first
    QTableWidget* Gsady = nullptr;
    QLabel* Lstav = nullptr;
    QPrintPreviewDialog* Dialog() const { return dialog_; }

private:
    void RegisterTexts();
    void ShowRows();
    std::vector<TFleetRow> Shown() const;

    TProgramState& state_;
    std::vector<TFleetRow> rows_; // every locality
    std::vector<TFleetRow> printed_;
    QString countText_ = QStringLiteral("Sad: %1 z %2"); // shown / all sets
    QPrinter printer_;
    QPointer<QPrintPreviewDialog> dialog_;
};

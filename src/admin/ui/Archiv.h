#pragma once
// Window TFarchiv (unit Archiv): the test text files of the archive folders, one row per
// test. The list is core state (TArchiveList); this window shows it and runs its commands.

#include "admin/ArchiveScan.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QLineEdit;
class QTableWidget;
class QToolBar;
class TProgramState;

class TFarchiv : public QMainWindow {
    Q_OBJECT
public:
    explicit TFarchiv(TProgramState& state, QWidget* parent = nullptr);

    const TArchiveList& List() const { return list_; }

    void TBXnactiClick();
    void TBXlnajdiClick();
    void TBXlvseClick();
    void TBXotevriClick();
    // The selected tests' capacities over their dates, in the battery health window.
    void TBXtrendClick();
    void SortByTitle(int column);

    QToolBar* TBXToolbar1 = nullptr;
    QAction *TBXnacti = nullptr, *TBXapodadr = nullptr, *TBXlnajdi = nullptr;
    QAction *TBXlvse = nullptr, *TBXotevri = nullptr, *TBXtrend = nullptr;
    QLabel* TBXlbat = nullptr;
    QLineEdit* TBXcbat = nullptr;
    QTableWidget* AdvStringGrid1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildToolbar();
    // The grid from the list: cells, titles, hidden rows.
    void ShowList();
    void ShowHiddenRows();

    TProgramState& state_;
    TArchiveList list_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

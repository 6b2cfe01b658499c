#pragma once
// The list of tests stored in the tester, as the directory window shows it: a grid of
// 16 columns with one title row, the selection and the enabling of the window's commands.

#include "model/TextGrid.h"
#include "tester/DirectoryEntry.h"

#include <QList>
#include <QObject>

class TTestDirectory : public QObject {
    Q_OBJECT
public:
    TTestDirectory();
    static TTestDirectory& Instance();

    TTextGrid Grid;            // row 0 titles, rows 1… entries
    int EntryCount = 0;        // rows filled by the last listing
    int CurrentRow = 1;
    QList<int> SelectedRows;   // ascending
    bool ShowHidden = false;   // "Ukaž skryté"
    bool LoadEnabled = false;  // "Načti měření"
    bool AppendEnabled = false;// "Přidej"
    bool DeleteEnabled = false;// "Vymaž testy" and "Vymaž skryté"

    // Title row and one empty row, as after "Reload" or opening a text file.
    void Reset();
    void AddEntry(const TDirectoryEntry& entry, bool dataVersion101);
    // After a listing: select row 1 and enable the commands when anything was listed.
    void FinishListing();
    bool IsDownloaded(int row) const;
    void SetDownloaded(int row);
    QString FileName(int row) const;
    int EntryIndex(int row) const;
    void Select(const QList<int>& rows, int current);
    void Notify() { emit Changed(); }

signals:
    void Changed();
};

QStringList DirectoryTitles();
extern const int DirectoryColumnWidths[DirColumnCount];

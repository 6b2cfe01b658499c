#include "tester/TestDirectory.h"

#include <algorithm>

const int DirectoryColumnWidths[DirColumnCount] = {64, 63, 57, 104, 64, 49, 42, 47, 54, 50, 51, 100, 79, 0, 0, 20};

QStringList DirectoryTitles()
{
    return {QStringLiteral("Test"), QStringLiteral("Datum"), QStringLiteral("Čas"), QStringLiteral("Lokalita"),
            QStringLiteral("Měřil"), QStringLiteral("Číslo bat."), QStringLiteral("Perioda"),
            QStringLiteral("V. char."), QStringLiteral("I/P"), QStringLiteral("Knap"),
            QStringLiteral("Poč. bat."), QStringLiteral("Konec testu"), QStringLiteral("Délka testu"),
            QString(), QString(), QString()};
}

TTestDirectory::TTestDirectory() { Reset(); }

TTestDirectory& TTestDirectory::Instance()
{
    static TTestDirectory directory;
    return directory;
}

void TTestDirectory::Reset()
{
    Grid.SetSize(0, 0);
    Grid.SetSize(2, DirColumnCount);
    const QStringList titles = DirectoryTitles();
    for (int c = 0; c < DirColumnCount; ++c)
        Grid.SetCell(c, 0, titles[c]);
    EntryCount = 0;
    CurrentRow = 1;
    SelectedRows.clear();
    // "Přidej" follows the loaded test, not the list.
    LoadEnabled = DeleteEnabled = false;
    emit Changed();
}

void TTestDirectory::AddEntry(const TDirectoryEntry& entry, bool dataVersion101)
{
    const int row = EntryCount + 1;
    if (row >= Grid.RowCount())
        Grid.SetRowCount(row + 1);
    const QStringList texts = DirectoryRowTexts(entry, dataVersion101);
    for (int c = 0; c < DirColumnCount; ++c)
        Grid.SetCell(c, row, texts[c]);
    ++EntryCount;
    emit Changed(); // the row shows while the listing goes on
}

void TTestDirectory::FinishListing()
{
    if (EntryCount > 0) {
        CurrentRow = 1;
        SelectedRows = {1};
        LoadEnabled = DeleteEnabled = true;
    }
    emit Changed();
}

bool TTestDirectory::IsDownloaded(int row) const { return Grid.Cell(DirDownloaded, row) == QLatin1String("1"); }

void TTestDirectory::SetDownloaded(int row)
{
    Grid.SetCell(DirDownloaded, row, QStringLiteral("1"));
    emit Changed();
}

QString TTestDirectory::FileName(int row) const { return Grid.Cell(DirFileName, row); }
int TTestDirectory::EntryIndex(int row) const { return Grid.Cell(DirEntryIndex, row).toInt(); }

void TTestDirectory::Select(const QList<int>& rows, int current)
{
    SelectedRows = rows;
    std::sort(SelectedRows.begin(), SelectedRows.end());
    CurrentRow = current;
}

#include "files/SpreadsheetExport.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/MeasurementTable.h"
#include "files/WholeFile.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace {

constexpr int HeaderRows = 15;

class TWorkbook {
public:
    explicit TWorkbook(const QString& file) : book_(workbook_new(QFile::encodeName(file).constData())) {}
    ~TWorkbook()
    {
        if (book_)
            workbook_close(book_);
    }
    TWorkbook(const TWorkbook&) = delete;
    TWorkbook& operator=(const TWorkbook&) = delete;

    bool IsOpen() const { return book_ != nullptr; }
    lxw_worksheet* AddSheet(const char* name) { return workbook_add_worksheet(book_, name); }
    lxw_error Close()
    {
        const lxw_error result = workbook_close(book_);
        book_ = nullptr;
        return result;
    }

private:
    lxw_workbook* book_;
};

// One cell as the spreadsheet would take the text typed into it.
lxw_error WriteCell(lxw_worksheet* sheet, int row, int col, QString text)
{
    text.remove(QLatin1Char('\r'));
    if (text.isEmpty())
        return LXW_NO_ERROR;
    double number = 0;
    if (ParseLocaleDouble(text, number))
        return worksheet_write_number(sheet, lxw_row_t(row), lxw_col_t(col), number, nullptr);
    return worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(col), text.toUtf8().constData(), nullptr);
}

template <typename CellText>
lxw_error WriteSheet(lxw_worksheet* sheet, int rows, int cols, CellText cell)
{
    if (!sheet)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col)
            if (const lxw_error e = WriteCell(sheet, row, col, cell(col, row)); e != LXW_NO_ERROR)
                return e;
    return LXW_NO_ERROR;
}

[[noreturn]] void Fail(const QString& path, const QString& why)
{
    throw VybitorError(QStringLiteral("Cannot save the workbook \"%1\": %2").arg(QDir::toNativeSeparators(path), why));
}

} // namespace

TTextGrid HeaderStagingGrid(const TProgramState& state)
{
    const TTextGrid& batteries = state.BatteryGrid;
    TTextGrid grid(batteries.RowCount() + HeaderRows, std::max(batteries.ColCount(), 2));
    const TMainCaptions& l = state.Captions;
    const TMainTexts& t = state.Texts;
    const bool operatorShown = state.Settings.Provozovatel; // Hprovoz is visible exactly then
    const std::pair<QString, QString> rows[] = {
        {l.Lcislo_mereni, t.Hcislo_mereni}, {l.Lcislo_baterie, t.Hcislo_baterie},
        {l.Llokalita, t.Hlokalita},         {l.Lzakazka, t.Hzakazka},
        {l.Ldatum, t.Hdatum},               {l.Lcas, t.Hcas},
        {t.Lvproud, t.Hvproud},             {l.Lknap, t.Hknap},
        {l.Ltypbat, t.Gtypbat},             {l.Lzkouska, t.Gtypzk},
        {l.Lperioda, t.Hperioda},           {l.Lmeril, t.Hmeril},
        {operatorShown ? l.Lprovoz : QString(), operatorShown ? t.Hprovoz : QString()},
        {l.Lpoznamka, t.Hpoznamka}};
    for (int row = 0; row < int(std::size(rows)); ++row) {
        grid.SetCell(0, row, rows[row].first);
        grid.SetCell(1, row, rows[row].second);
    }
    for (int row = 0; row < batteries.RowCount(); ++row)
        for (int col = 0; col < batteries.ColCount(); ++col)
            grid.SetCell(col, HeaderRows + row, batteries.Cell(col, row));
    return grid;
}

void ExportSpreadsheet(const TProgramState& state, const QString& path)
{
    BusyCursor busy;
    QTemporaryDir aside;
    if (!aside.isValid())
        Fail(path, aside.errorString());
    const QString built = aside.filePath(QStringLiteral("workbook.xlsx"));
    {
        TWorkbook book(built);
        if (!book.IsOpen())
            Fail(path, QStringLiteral("the workbook cannot be created"));
        const TTextGrid header = HeaderStagingGrid(state);
        lxw_error e = WriteSheet(book.AddSheet("List1"), header.RowCount(), header.ColCount(),
                                 [&header](int col, int row) { return header.Cell(col, row); });
        const TTestRecord& r = state.Record();
        if (e == LXW_NO_ERROR)
            e = WriteSheet(book.AddSheet("Data"), MeasurementRowCount(r), MeasurementColCount(r),
                           [&r](int col, int row) { return MeasurementCellText(r, col, row); });
        const lxw_error closed = book.Close();
        if (e == LXW_NO_ERROR)
            e = closed;
        if (e != LXW_NO_ERROR)
            Fail(path, QString::fromUtf8(lxw_strerror(e)));
    }
    QFile file(built);
    if (!file.open(QIODevice::ReadOnly))
        Fail(path, file.errorString());
    WriteFileReplacing(path, file.readAll());
}

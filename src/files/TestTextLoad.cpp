// Loading a test text file into the program.
#include "files/TestTextFile.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "evaluation/LoadChain.h"
#include "files/FileCompensationTable.h"
#include "files/TestTextReader.h"
#include "files/WholeFile.h"
#include "model/Errors.h"
#include "tester/TestDownload.h"

namespace {

void TakeOverBatteryTable(TTextGrid& grid, const TTestTextContent& c)
{
    grid.SetRowCount(c.BatteryTableRows + 1);
    for (int row = 0; row < c.BatteryTableRows; ++row) {
        const QStringList& cells = c.BatteryRows[size_t(row)];
        for (int col = 0; col < cells.size(); ++col)
            grid.SetCell(col, row + 1, cells[col]);
    }
}

void TakeOverChoices(TProgramState& state, const TTestTextContent& c)
{
    TEvaluationChoices& choices = state.Choices;
    if (c.CompensationMode)
        choices.TKtyp = *c.CompensationMode;
    if (c.CompensationTable)
        choices.TKbat = MatchFileCompensationTable(state, *c.CompensationTable);
    if (c.CapacityUnit)
        choices.TKkapacita = *c.CapacityUnit;
}

} // namespace

void LoadTestTextFile(TProgramState& state, const QString& path)
{
    const TTestTextContent c = [&path] {
        try {
            return ReadTestText(ReadWholeFile(path), path);
        } catch (const VybitorError& e) {
            throw VybitorError(FileMessage(e.text(), path));
        }
    }();
    if (c.SampleLines > MaxRows)
        UserReport().Message(TooManyRowsMessage(c.SampleLines, MaxRows));

    TMainTexts& t = state.Texts;
    t.Caption = QStringLiteral("Vybitor5 - ") + path;
    t.Hcislo_mereni = c.MeasurementNumber;
    t.Hzakazka = c.Job;
    t.Hpoznamka = c.Note;
    if (c.Operator)
        t.Hprovoz = *c.Operator;
    TakeOverBatteryTable(state.BatteryGrid, c);
    TakeOverChoices(state, c);
    TakeOverRecord(state.Record(), *c.Record);
    emit state.ChoicesChanged();

    ShowLoadedTest(state);
}

#include "evaluation/ShowTest.h"

#include "app/ProgramState.h"
#include "i18n/MessageCatalogue.h"
#include "model/CodePage.h"
#include "model/LocaleFormat.h"

namespace {

void WriteHeaderFields(TMainTexts& t, const TTestRecord& r)
{
    const TTestHeader& h = r.Header;
    const QString blanks = QStringLiteral("   ");
    t.Hpocet_baterii = QString::number(r.RunInfo.BatteryCount) + blanks;
    const QDateTime start = TesterDateTime(r.RunInfo.StartTime);
    t.Hdatum = ShortDateText(start.date()) + blanks;
    t.Hcas = LongTimeText(start.time()) + blanks;
    t.Hlokalita = FieldText(h.Locality);
    if (h.TestNumber > 0)
        t.Hcislo_mereni = QString::number(h.TestNumber);
    t.Hmeril = FieldText(h.MeasuredBy);
    t.Gtypbat = FieldText(h.BatteryType);
    t.Gtypzk = QString::number(h.TestMinutes);
    t.Hcislo_baterie = FieldText(h.BatteryId);
    t.Hperioda = QString::number(h.Period) + QStringLiteral("s   ");
}

void WriteDischargeFields(TMainTexts& t, const TTestRecord& r)
{
    const TTestHeader& h = r.Header;
    const bool power = h.PowerMode != 0;
    t.Lvproud = MessageText(power ? QStringLiteral("Lvchar_vykon") : QStringLiteral("Lvchar_proud"));
    t.Hvproud = FormatLocale(power ? "%6.1fW   " : "%6.1fA   ", h.DischargeValue);
    t.Hknap = FormatLocale("%6.1fV   ", h.EndVoltage);
    t.Hstav = EndReasonText(r.RunInfo.EndReason) + QStringLiteral("  ");
}

// Sizes the battery table for the test and numbers its header cells 1…N.
void PrepareAutomaticRows(TTextGrid& grid, int batteries, int rows)
{
    grid.SetSize(rows, batteries + 1);
    for (int k = 0; k < batteries; ++k)
        grid.SetCell(k + 1, 0, QString::number(k + 1));
}

void FillAutomaticRows(TTextGrid& grid, const TTestRecord& r, bool numbers, bool voltages)
{
    const int n = r.RunInfo.BatteryCount;
    if (numbers) {
        PrepareAutomaticRows(grid, n, 2);
        grid.SetCell(0, 1, MessageText(QStringLiteral("Tcisla_baterii")));
        for (int k = 0; k < n; ++k)
            grid.SetCell(k + 1, 1, QStringLiteral("Bat") + QString::number(r.BatteryNumbers[k]));
    }
    if (voltages) {
        int row = 1;
        if (numbers) {
            grid.SetRowCount(3);
            row = 2;
        } else {
            PrepareAutomaticRows(grid, n, 2);
        }
        grid.SetCell(0, row, MessageText(QStringLiteral("Tpocatecni_napeti")));
        for (int k = 0; k < n; ++k)
            grid.SetCell(k + 1, row, FormatLocale("%.2f", r.Rows[0].Voltages[k]));
    }
}
} // namespace

void ShowTest(TProgramState& state)
{
    TTestRecord& r = state.Record();
    WriteHeaderFields(state.Texts, r);
    WriteDischargeFields(state.Texts, r);
    FillAutomaticRows(state.BatteryGrid, r, state.Settings.AutBat, state.Settings.AutNap);
    emit state.TextsChanged();
    emit state.BatteryGridChanged();
}

void ClearBatteryCells(TProgramState& state)
{
    state.BatteryGrid.ClearCells();
    emit state.BatteryGridChanged();
}

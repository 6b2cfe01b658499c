#pragma once
// Editing of the preset table as the locality window does it: the fields being edited,
// the list rows (1-based; row 0 is the title row) and the insert / row change / move /
// delete rules. The window only mirrors Fields and SelectedRow; the CLI uses the same.

#include "admin/LocalityPreset.h"

#include <QString>
#include <functional>

class IUserReport;

// The window's fields, as the user sees them.
struct TPresetFields {
    int Period = 10;
    QString BatteryType, BatteryId, Locality, MeasuredBy;
    int MeasureOnly = 0;
    double DischargeValue = 5.0;
    int TestLength = 0;
    int EndAtLength = 0;
    int PowerMode = 0;
    double EndVoltage = 42.0;
    double CellVoltage = 1.75;
};

class TPresetEditor {
public:
    explicit TPresetEditor(TPresetTable& table) : table_(table) {}

    TPresetFields Fields;
    int SelectedRow = 1;
    int CurrentPresetRow = 1;
    // Cleared by the window while it moves the selection itself.
    bool TrackRowChange = true;

    TPresetTable& Table() { return table_; }
    int ListRowCount() const { return (table_.PresetCount ? table_.PresetCount : 1) + 1; }
    // "Lokalita" and "Typ baterie" of a list row (empty for the one empty row).
    QString ListLocality(int row) const;
    QString ListBatteryType(int row) const;

    void StorePreset(int index);
    void ShowPreset(int index);

    // "<": refuses a 251st preset with VybitorError; asks before overwriting another row.
    void Insert(IUserReport& report);
    // The user selects newRow. False (after the message) when the fields name a pair that
    // another row holds; the selection then stays.
    bool ChangeRow(int newRow, IUserReport& report);
    void MoveUp();
    void MoveDown();
    void Delete();

    // "Ulož" / "Pošli": the selected row's fields go into the table first. False when
    // there is nothing to save (the message was shown).
    bool PrepareSave(IUserReport& report);
    void SaveFile(const QString& path) const;
    // "Otevři": the table is replaced only by a complete file.
    void OpenFile(const QString& path);
    // "Načti": header is the #NL payload, fetchPreset(i) the #Nl payload of preset i.
    // A count over MaxPresets or a short reply throws; the table then stays as it was.
    void LoadFromTester(const QByteArray& header, const std::function<QByteArray(int)>& fetchPreset);

private:
    int FindRow(const QString& locality, const QString& batteryType) const;
    void SelectFirst();

    TPresetTable& table_;
};

#include "admin/PresetEditor.h"

#include "app/UserReport.h"
#include "files/WholeFile.h"
#include "i18n/MessageCatalogue.h"
#include "model/Errors.h"
#include "model/WholeFileWrite.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <memory>

QString TPresetEditor::ListLocality(int row) const
{
    return row >= 1 && row <= table_.PresetCount ? PresetText(table_.Presets[row - 1].Locality) : QString();
}

QString TPresetEditor::ListBatteryType(int row) const
{
    return row >= 1 && row <= table_.PresetCount ? PresetText(table_.Presets[row - 1].BatteryType) : QString();
}

void TPresetEditor::StorePreset(int index)
{
    if (index < 0 || index >= MaxPresets)
        return;
    TLocalityPreset& p = table_.Presets[index];
    p.Period = uint8_t(std::clamp(Fields.Period, 10, 255));
    SetPresetText(p.BatteryType, Fields.BatteryType);
    SetPresetText(p.BatteryId, Fields.BatteryId);
    p.MeasureOnly = uint8_t(Fields.MeasureOnly);
    p.DischargeValue = float(Fields.DischargeValue);
    p.TestLength = uint16_t(std::clamp(Fields.TestLength, 0, 60000));
    p.EndAtLength = uint8_t(Fields.EndAtLength);
    p.PowerMode = uint8_t(Fields.PowerMode);
    p.EndVoltage = float(Fields.EndVoltage);
    p.CellVoltage = float(Fields.CellVoltage);
    p.Reserved = 0;
    SetPresetText(p.Locality, Fields.Locality);
    SetPresetText(p.MeasuredBy, Fields.MeasuredBy);
}

void TPresetEditor::ShowPreset(int index)
{
    if (index < 0 || index >= table_.PresetCount)
        return;
    const TLocalityPreset& p = table_.Presets[index];
    Fields.Period = p.Period;
    Fields.BatteryType = PresetText(p.BatteryType);
    Fields.BatteryId = PresetText(p.BatteryId);
    Fields.MeasureOnly = p.MeasureOnly;
    Fields.DischargeValue = p.DischargeValue;
    Fields.TestLength = p.TestLength;
    Fields.EndAtLength = p.EndAtLength;
    Fields.PowerMode = p.PowerMode;
    Fields.EndVoltage = p.EndVoltage;
    Fields.CellVoltage = p.CellVoltage;
    Fields.Locality = PresetText(p.Locality);
    Fields.MeasuredBy = PresetText(p.MeasuredBy);
}

int TPresetEditor::FindRow(const QString& locality, const QString& batteryType) const
{
    for (int row = table_.PresetCount; row >= 1; --row)
        if (ListLocality(row) == locality && ListBatteryType(row) == batteryType)
            return row;
    return 0;
}

void TPresetEditor::Insert(IUserReport& report)
{
    if (Fields.Locality.isEmpty())
        return;
    const int found = FindRow(Fields.Locality, Fields.BatteryType);
    if (found == 0) {
        if (table_.PresetCount >= MaxPresets)
            throw VybitorError(QStringLiteral("The table is full: at most %1 presets.").arg(MaxPresets));
        StorePreset(table_.PresetCount);
        ++table_.PresetCount;
        SelectedRow = table_.PresetCount;
    } else if (found == CurrentPresetRow || report.Question(MessageText(QStringLiteral("Lok_prepsat")))) {
        StorePreset(found - 1);
        SelectedRow = found;
    }
    CurrentPresetRow = SelectedRow;
}

bool TPresetEditor::ChangeRow(int newRow, IUserReport& report)
{
    const int oldRow = SelectedRow;
    if (!TrackRowChange) {
        SelectedRow = newRow;
        return true;
    }
    const int found = FindRow(Fields.Locality, Fields.BatteryType);
    if (found != 0 && found != oldRow) {
        report.Message(MessageText(QStringLiteral("Lok_vloz")));
        return false;
    }
    StorePreset(oldRow - 1);
    ShowPreset(newRow - 1);
    SelectedRow = CurrentPresetRow = newRow;
    return true;
}

void TPresetEditor::MoveUp()
{
    if (SelectedRow < 2 || SelectedRow > table_.PresetCount)
        return;
    std::swap(table_.Presets[SelectedRow - 1], table_.Presets[SelectedRow - 2]);
    CurrentPresetRow = --SelectedRow;
}

void TPresetEditor::MoveDown()
{
    if (SelectedRow < 1 || SelectedRow >= table_.PresetCount)
        return;
    std::swap(table_.Presets[SelectedRow - 1], table_.Presets[SelectedRow]);
    CurrentPresetRow = ++SelectedRow;
}

void TPresetEditor::Delete()
{
    const int count = table_.PresetCount;
    if (count == 0 || SelectedRow < 1 || SelectedRow > count)
        return;
    std::move(table_.Presets + SelectedRow, table_.Presets + count, table_.Presets + SelectedRow - 1);
    table_.PresetCount = uint8_t(count - 1);
    SelectedRow = CurrentPresetRow = std::clamp(SelectedRow, 1, std::max(1, count - 1));
    ShowPreset(SelectedRow - 1);
}

bool TPresetEditor::PrepareSave(IUserReport& report)
{
    if (table_.PresetCount == 0) {
        report.Message(MessageText(QStringLiteral("Lok_nic")));
        return false;
    }
    StorePreset(SelectedRow - 1);
    table_.Version = 1;
    return true;
}

void TPresetEditor::SaveFile(const QString& path) const
{
    WriteWholeFile(path, EncodePresetFile(table_));
}

void TPresetEditor::SelectFirst()
{
    SelectedRow = CurrentPresetRow = 1;
    ShowPreset(0);
}

void TPresetEditor::OpenFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VybitorError(QStringLiteral("Unable to open %1").arg(path));
    try {
        DecodePresetFile(file.readAll(), table_);
    } catch (const VybitorError& error) {
        throw VybitorError(FileMessage(error.text(), path));
    }
    SelectFirst();
}

void TPresetEditor::LoadFromTester(const QByteArray& header, const std::function<QByteArray(int)>& fetchPreset)
{
    if (header.size() < 4)
        throw VybitorError(QStringLiteral("The tester did not send its preset table."));
    const int count = uint8_t(header[1]);
    if (count > MaxPresets)
        throw VybitorError(QStringLiteral("The tester announces %1 presets; at most %2 are possible.")
                               .arg(count).arg(MaxPresets));
    // Collected apart, so a failure halfway leaves the table as it was.
    auto loaded = std::make_unique<TPresetTable>();
    loaded->Version = uint8_t(header[0]);
    loaded->PresetCount = uint8_t(count);
    loaded->Checksum = uint16_t(uint8_t(header[2]) | uint8_t(header[3]) << 8);
    for (int i = 0; i < count; ++i) {
        const QByteArray reply = fetchPreset(i);
        if (reply.size() < qsizetype(sizeof(TLocalityPreset)))
            throw VybitorError(QStringLiteral("The tester did not send preset %1.").arg(i + 1));
        std::memcpy(&loaded->Presets[i], reply.constData(), sizeof(TLocalityPreset));
    }
    table_ = *loaded;
    SelectFirst();
}

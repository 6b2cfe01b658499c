#pragma once
// Shared pieces of the file tests: a shown test in a fresh program state and files in a
// temporary folder.

#include "app/ProgramState.h"
#include "evaluation/MeasurementTable.h"
#include "evaluation/ShowTest.h"
#include "model/CodePage.h"
#include "support/RecordBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <initializer_list>

// The state after a test with these batteries and rows was loaded and shown.
inline void ShowBuiltTest(TProgramState& state, std::initializer_list<int> batteries, int rows)
{
    auto record = MakeRecord(batteries, rows);
    record->RunInfo.StartTime = 889'000'000u; // 3.3.2008 08:26:40
    record->RunInfo.EndReason = 2;
    record->Header.DischargeValue = 25.0f;
    record->Header.EndVoltage = 13.0f * float(record->RunInfo.BatteryCount); // above the samples
    record->Header.TestMinutes = 180;
    SetFieldText(record->Header.Locality, QStringLiteral("Žďár 2"));
    SetFieldText(record->Header.BatteryId, QStringLiteral("B-17"));
    SetFieldText(record->Header.MeasuredBy, QStringLiteral("Novák"));
    SetFieldText(record->Header.BatteryType, QStringLiteral("OPzS 250"));
    TakeOverRecord(state.Record(), *record);
    ShowTest(state);
    FillMeasurementTable(state);
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

inline QString WriteBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

// Lines joined with CR LF, each ended by one; text given in UTF-8, stored in Windows-1250.
inline QByteArray TextFile(std::initializer_list<const char*> lines)
{
    QString text;
    for (const char* line : lines)
        text += QString::fromUtf8(line) + QStringLiteral("\r\n");
    return EncodeAnsi(text);
}

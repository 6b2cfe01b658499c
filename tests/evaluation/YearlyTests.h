#pragma once
// Saved yearly tests of one battery set in which one battery degrades.

#include "app/ProgramState.h"
#include "evaluation/MeasurementTable.h"
#include "evaluation/ShowTest.h"
#include "files/TestTextFile.h"
#include "model/CodePage.h"
#include "support/RecordBuilder.h"

#include <QDate>
#include <QTemporaryDir>
inline constexpr int Set = 12;
inline constexpr int Degrading = 5;

inline uint32_t TesterSecondsOf(const QDate& date)
{
    return uint32_t(QDateTime(QDate(1980, 1, 1), QTime(0, 0), Qt::UTC).secsTo(QDateTime(date, QTime(9, 0), Qt::UTC)));
}

// A yearly test of the set: every battery reaches 10.5 V at minute 100 + number % 3,
// the degrading one at `degradingMinutes`; the test runs 110 minutes (109 as read back). With `reversed`
// the tester had the batteries in the opposite column order. The file is saved with a
// compensation table of K = 2 chosen, which the trend must not use.
inline QString SaveYearlyTest(const QTemporaryDir& dir, const QString& name, QDate date, int degradingMinutes, bool reversed)
{
    TProgramState s;
    auto record = MakeStringRecord(Set, 111, 60);
    record->RunInfo.StartTime = TesterSecondsOf(date);
    record->Header.EndVoltage = 10.5f * Set;
    record->Header.DischargeValue = 25.0f;
    record->Header.TestMinutes = 100;
    SetFieldText(record->Header.BatteryType, QStringLiteral("OPzS 250"));
    for (int k = 0; k < Set; ++k) {
        const int number = reversed ? Set - k : k + 1;
        record->BatteryNumbers[k] = uint8_t(number);
        const int reach = number == Degrading ? degradingMinutes : 100 + number % 3;
        for (int r = 0; r <= 110; ++r)
            record->Rows[r].Voltages[k] = r < reach ? 11.5f : 10.3f;
    }
    TakeOverRecord(s.Record(), *record);
    ShowTest(s);
    FillMeasurementTable(s);
    s.TempCompTables = {{QStringLiteral("dvojnásobek"), {0, 0, 0, 0, 0, 0, 2.0}}};
    s.Choices.TKtyp = 1;
    s.Choices.TKbat = 0;
    const QString path = dir.filePath(name);
    SaveTestTextFile(s, path);
    return path;
}

#pragma once
// The health figures the index keeps per test, and the inputs they were computed with:
// when the inputs change, the figures of every test are computed again.

#include "evaluation/EvaluationTypes.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

struct TEvaluationChoices;
struct TTestRecord;

struct TIndexInputs {
    TBatteryTypeList Types;
    int CompensationMode = 0; // TKtyp
    int Table = -1;           // TKbat
    TTempCompTableList Tables;
    THealthSettings Health;   // the share D and the acceptance threshold
};
class TProgramState;
// The inputs the program holds now: the battery-type list, the main window's compensation
// choice, the settings' share D and acceptance threshold.
TIndexInputs CurrentIndexInputs(const TProgramState& state);

// A weak battery of one test and why it is weak.
struct TWeakBattery {
    int Battery = 0;
    QStringList Reasons;
};

struct TTestFigures {
    QDateTime Started;
    QString Set, Locality;              // the battery set the test belongs to
    int BatteryCount = 0;
    int EndReason = 0;
    QString BatteryType;
    int FileMinutes = 0;
    int RatedMinutes = 0;               // the trend's rule: the list's for the type, else the file's
    std::optional<double> CapacityPct;  // the string's, when it can be evaluated
    std::vector<TWeakBattery> Weak;
    QString Problem;                    // why there is no capacity
};

// A test's start as the index stores it: the tester's wall-clock time in seconds since
// 1970 read as UTC, so that every PC reads the same date back; null when it has none.
QVariant IndexTime(const QDateTime& started);
// The stored start back, as a UTC time whose date and time are the tester's.
QDateTime IndexTimeValue(const QVariant& stored);

// One text of the inputs: equal texts give equal figures.
QString IndexInputsBasis(const TIndexInputs& inputs);

TTestFigures ComputeTestFigures(const TTestRecord& record, const TIndexInputs& inputs);

// The weak batteries as stored: [{"battery":N,"weak_reasons":[...]}, ...].
QString WeakBatteriesJson(const std::vector<TWeakBattery>& weak);
std::vector<TWeakBattery> WeakBatteriesFromJson(const QString& json);

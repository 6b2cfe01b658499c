#pragma once
// The texts of the battery health window, its report and the acceptance verdict, by their
// ids in a language file's [Fstav] section (the window's name), with their design texts.

#include "evaluation/BatteryHealth.h"
#include "evaluation/CapacityTrend.h"

#include <QString>
#include <QStringList>

enum class THealthText {
    // verdict, sentences and marks
    Accepted = 1,
    Rejected = 2,
    NotJudged = 3,
    NotReached = 4,
    EndedEarly = 5,
    LowVoltage = 6,
    EndVoltageImplausible = 7,
    SumImplausible = 8,
    EndOfTest = 9,
    EvenLoss = 10,
    NoSamples = 11,
    NoTest = 12,
    ForecastReached = 13,
    Weak = 14,
    // the window
    Title = 20,
    Print = 21,
    Pdf = 22,
    PdfHint = 23,
    TestPage = 24,
    TrendPage = 25,
    ComparePage = 26,
    Battery = 27,
    MinutesToEnd = 28,
    VoltageAtEnd = 29,
    CapacityPct = 30,
    State = 31,
    Summary = 32,
    TrendHint = 33,
    Date = 34,
    File = 35,
    WeakCount = 36,
    CompareButton = 37,
    HeatHint = 38,
    First = 39,
    Last = 40,
    Drop = 41,
    TotalVoltage = 42,
    BatteryNumber = 43,
    TestDate = 44,
    StringCapacity = 45,
    TimeMin = 46,
    VoltageV = 47,
    LeftOut = 48,
    PickTwo = 49,
    Forecast = 50,
    NoForecast = 51,
    NoFallers = 52,
    Threshold = 53,
    Median = 54,
    AtLeastBar = 55,
    Measured = 56,
    TrendTitle = 57,
    // the report
    EndVoltage = 70,
    StringCapacityLine = 71,
    WeakRule = 72,
    WeakList = 73,
    NoneWeak = 74,
    ShortBattery = 75,
    ShortMinutes = 76,
    ShortVoltage = 77,
    ShortCapacity = 78,
    AtLeastNote = 79,
    Acceptance = 80,
    WeakRuleValue = 81,
};

// The text in force: the current language's, else the design text.
QString HealthText(THealthText id);
QString HealthDesignText(THealthText id);

// The figures line above the health table.
QString HealthSummaryText(const TStringHealth& health, int weakCount);
// The sentences under the weak list: plausibility, the end of the test, a string that lost
// its capacity evenly; only those that apply.
QStringList HealthNotes(const TStringHealth& health);
// The state column: "slabá: <reasons>", "nedosáhla konečného napětí", or nothing.
QString BatteryStateText(const TBatteryHealth& battery);
// "Prognóza dosažení prahu 80 %: dosaženo 09.06.2025", or that there is none.
QString ForecastText(const TTrendForecast& forecast, double threshold, const QDate& today);

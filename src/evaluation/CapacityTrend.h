#pragma once
// Capacities of one battery set over several saved tests: the string's and each battery's
// capacity in percent per test, tests in date order. Each file is read into a work area
// of its own and evaluated with the battery-type list and the compensation choice given,
// so the loaded test and the compensation tables stay as they are.

#include "evaluation/BatteryHealth.h"
#include "evaluation/EvaluationTypes.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

struct TEvaluationChoices;

struct TTrendTest {
    QString File;
    QDateTime Start;        // the test's start, as the file gives it
    int RatedMinutes = 0;   // the duration the test was evaluated with
    TStringHealth Health;   // batteries in the test's battery order
};

struct TTrendSkip {
    QString File;
    QString Reason;
};

struct TTrend {
    std::vector<TTrendTest> Tests;   // by start, oldest first
    std::vector<TTrendSkip> Skipped; // files that could not be read or evaluated
    std::vector<int> Batteries;      // every battery number of the tests, ascending
    // Per battery (as Batteries) per test (as Tests): capacity in percent, NaN where the
    // test has no such battery; and whether it was weak in that test.
    std::vector<std::vector<double>> Capacity;
    std::vector<std::vector<bool>> Weak;
};

struct TTrendFaller {
    int Battery = 0;
    double First = 0, Last = 0; // capacity in the first and the last test that has it
    double Drop() const { return First - Last; }
};

// The rated duration of a test: its own when the battery-type list offers it for its type,
// else the type's first duration in the list, else its own (a type the list does not know).
int TrendRatedMinutes(const QString& batteryType, int testMinutes, const TBatteryTypeList& types);

TTrend EvaluateTrend(const QStringList& files, const TBatteryTypeList& types, const TEvaluationChoices& choices,
                     const TTempCompTableList& tables, double weakSharePercent);

// The batteries whose capacity fell most from their first to their last test, biggest
// drop first; batteries in fewer than two tests are left out.
std::vector<TTrendFaller> BiggestFallers(const TTrend& trend, int count);

// One line on how the trend was evaluated, for the window and the printout.
QString TrendBasisText(const TEvaluationChoices& choices, const TTempCompTableList& tables);

// One curve of a saved test for the comparison chart: battery number 0 is the total voltage.
struct TCompareCurve {
    QString Title;
    std::vector<double> Minutes, Volts;
};
// Reads the file into a work area; throws VybitorError for a file that cannot be read or
// a battery number the test does not have.
TCompareCurve CompareCurve(const QString& file, int batteryNumber);

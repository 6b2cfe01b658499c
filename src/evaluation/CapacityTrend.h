#pragma once
// Capacities of one battery set over several saved tests: the string's and each battery's
// capacity in percent per test, tests in date order. Each file is read into a work area
// of its own and evaluated with the battery-type list and the compensation choice given,
// so the loaded test and the compensation tables stay as they are.

#include "evaluation/BatteryHealth.h"
#include "evaluation/EvaluationTypes.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct TEvaluationChoices;
struct TTestRecord;

// A battery set: `Číslo baterie` with `Lokalita`, both trimmed. Tests of one set make a trend.
struct TBatterySetKey {
    QString Number;
    QString Locality;
    bool operator==(const TBatterySetKey&) const = default;
    QString Text() const; // "110V-BAT1, Plzeň, Doubravka"
};
TBatterySetKey BatterySetOf(const TTestRecord& record);

struct TTrendTest {
    QString File;
    QDateTime Start;        // the test's start, as the file gives it
    int RatedMinutes = 0;   // the duration the test was evaluated with
    int FileMinutes = 0;    // the duration the file gives
    QString BatteryType;
    TBatterySetKey Set;
    TStringHealth Health;   // batteries in the test's battery order
};

// "FILE: 600 min from the battery-type list for TYPE (the file says 180)" when the test was
// evaluated with another duration than its own; empty otherwise.
QString RatedDurationNote(const TTrendTest& test);

// A least-squares line through the tests whose string capacity is measured (end reasons
// 2 and 3): x in days since the first of them, y the capacity in percent as computed.
struct TTrendForecast {
    int Tests = 0;         // tests the line goes through
    QDate First;           // x = 0
    double Intercept = 0;  // percent at First
    double Slope = 0;      // percent a day
    // The day a falling line reaches the acceptance threshold (rounded down); none with
    // fewer than two tests or a line that does not fall.
    std::optional<QDate> ThresholdDate;
};
TTrendForecast ForecastCapacity(const std::vector<TTrendTest>& tests, double threshold);
// The line's ThresholdDate for a threshold: the fleet keeps the line and applies the
// threshold in force when it is shown.
std::optional<QDate> ThresholdDateOf(const TTrendForecast& line, double threshold);
// "9. 6. 2025", or "dosaženo 9. 6. 2025" for a date not after today.
QString ForecastDateText(const QDate& date, const QDate& today);

struct TTrendSkip {
    QString File;
    QString Reason;
};

struct TTrend {
    std::vector<TTrendTest> Tests;   // by start, oldest first
    std::vector<TTrendSkip> Skipped; // files that could not be read or evaluated
    // Files of another battery set than the first file read: the trend is refused, Tests
    // stay empty and Refusal names them.
    QStringList OtherSetFiles;
    QString Refusal;
    std::vector<int> Batteries;      // every battery number of the tests, ascending
    // Per battery (as Batteries) per test (as Tests): measured capacity in percent, NaN where
    // the test has no such battery or the battery did not reach its end voltage; the lower
    // bound in AtLeast where it did not (NaN elsewhere); and whether it was weak in that test.
    std::vector<std::vector<double>> Capacity;
    std::vector<std::vector<double>> AtLeast;
    std::vector<std::vector<bool>> Weak;
    TTrendForecast Forecast;
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
                     const TTempCompTableList& tables, const THealthSettings& settings);

// The batteries whose measured capacity fell most from their first to their last test with
// a measured value, biggest drop first; batteries measured in fewer than two tests are left out.
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

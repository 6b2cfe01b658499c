#pragma once
// The fleet of battery sets as the index knows them: one row per set (`Číslo baterie`
// with `Lokalita`, trimmed) with its tests' dates, its last capacity and its change, the
// forecast of reaching the acceptance threshold, the last test's weak batteries and the
// date the next test is due.

#include "admin/IndexFigures.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

class TIndexStore;

inline constexpr int DefaultTestIntervalMonths = 24;

struct TFleetOptions {
    QString Locality;        // empty: every locality; else the trimmed text exactly
    QString Qualifier;       // the measurement-number caption: only files that are tests
    int IntervalMonths = DefaultTestIntervalMonths;
    double Threshold = 80;   // acceptance threshold in percent
    QDate Today = QDate::currentDate();
};

struct TFleetRow {
    QString Set, Locality;
    int Tests = 0;
    QDate FirstDate, LastDate;
    std::optional<double> LastCapacity; // percent
    std::optional<double> Change;       // points since the test before
    std::optional<QDate> Forecast;      // the acceptance threshold reached
    std::vector<TWeakBattery> Weak;     // of the last test
    QDate Due;
    bool Overdue = false;
};

class TIniFile;
class TProgramState;
// The program's threshold and caption, the interval from the INI key Interval (months) of
// section INDEX.
TFleetOptions ConfiguredFleetOptions(const TIniFile& ini, const TProgramState& state);

// The words of a weak battery's reason key ("ended_early", "low_voltage").
QString WeakReasonText(const QString& key);

// Sorted by forecast date (sets without one last), then due date.
std::vector<TFleetRow> FleetTable(TIndexStore& store, const TFleetOptions& options);

// The last test plus the interval, or plus 12 months for a string below 90 % or one that
// fell more than 10 points since the test before.
QDate DueDate(const QDate& lastTest, std::optional<double> lastCapacity, std::optional<double> change,
              int intervalMonths);

// The localities of the fleet, sorted, for the view's filter and its printed pages.
QStringList FleetLocalities(const std::vector<TFleetRow>& rows);

#pragma once
// Inputs of the capacity evaluation: battery types and temperature-compensation tables.

#include <QString>
#include <array>
#include <vector>

inline constexpr int MaxBatteryTypes = 501;
inline constexpr int MaxTempCompTables = 10;

struct TBatteryType {
    QString Name;
    double RatedMinutes = 0;
    double Number2 = 0;
    double Number3 = 0;
};

struct TTempCompTable {
    QString Name;
    std::array<double, 7> Coef{}; // Coef[0] belongs to T^6, Coef[6] is the constant term
};

using TBatteryTypeList = std::vector<TBatteryType>;
using TTempCompTableList = std::vector<TTempCompTable>;

// Options of the battery health figures and of the string's acceptance, kept in a
// ConfigFile section of their own.
struct THealthSettings {
    double Deviation = 5;            // D: a battery this many percent off the string's median is weak
    bool Acceptance = false;         // "Hodnotit kapacitu"
    double AcceptanceThreshold = 80; // the string passes at or above this capacity in percent
};

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

#pragma once
// Hlokalita and Hmeril take a second line after their first comma: the tooltip shows
// both lines and the field accepts a full second line of the same limit.

#include <QString>

struct TSecondLine {
    QString ToolTip;
    int MaxLength = 0;
};

TSecondLine SecondLineRule(const QString& text, int limit);

inline constexpr int HlokalitaLimit = 30;
inline constexpr int HmerilLimit = 20;

#pragma once
// The placement keys of one window section and how they map onto a QWidget.
// NormPos is the normal (not maximized) geometry as left,top,right,bottom; the toolkit
// has no minimized or maximized positions, so MinMaxPos is written as "-1,-1,-1,-1" and
// only read for the rule that some position must be present.

#include "config/IniFile.h"

class QWidget;

// Rectangle (when PixelsPerInch matches the screen) and show state; FormVersion is the caller's.
void RestorePlacement(const TIniFile& ini, const QString& section, QWidget& window);
// FormVersion, Flags, ShowCmd, PixelsPerInch, MinMaxPos and NormPos (plain and per screen size).
void StorePlacement(TIniFile& ini, const QString& section, const QWidget& window);

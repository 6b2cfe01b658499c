#pragma once
// Data version 1.01 of the tester keeps the power of a constant-power test at header offset
// 25 (over TestMinutes and the two bytes after it) instead of offset 21. This concerns what
// the tester sends (a listing, a download) and its stored test files; a test text file
// holds the power as the program showed it.

#include "model/TestRecord.h"

// The settings' data version index of "1.01".
inline constexpr int DataVersion101 = 1;

// With version 1.01 and a constant-power test, copies the 4 bytes at header offset 25 over
// DischargeValue, so that DischargeValue holds the power; otherwise changes nothing.
void ApplyDataVersionPower(TTestHeader& header, bool dataVersion101);

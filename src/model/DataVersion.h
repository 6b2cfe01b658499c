#pragma once
// Data version 1.01 of the tester keeps the power of a constant-power test at header offset
// 25 (over TestMinutes and the two bytes after it) instead of offset 21.

#include "model/TestRecord.h"

// With version 1.01 and a constant-power test, copies the 4 bytes at header offset 25 over
// DischargeValue, so that DischargeValue holds the power; otherwise changes nothing.
void ApplyDataVersionPower(TTestHeader& header, bool dataVersion101);

#pragma once
// Shows the loaded test: the header panel texts and the battery table's automatic rows.

class TProgramState;
struct TTestHeader;

// With data version "1.01" a constant-power test keeps its power in the 4 bytes at header
// offset 25; copies them over DischargeValue so every reader finds the power there.
void ApplyPowerDataVersion(TTestHeader& header, int dataVersion);

void ShowTest(TProgramState& state);
// Empties the battery table's data cells; header row and row titles stay.
void ClearBatteryCells(TProgramState& state);

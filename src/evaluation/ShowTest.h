#pragma once
// Shows the loaded test: the header panel texts and the battery table's automatic rows.

class TProgramState;

void ShowTest(TProgramState& state);
// Empties the battery table's data cells; header row and row titles stay.
void ClearBatteryCells(TProgramState& state);

#pragma once
// Creates the nine windows of the run in their fixed order into Windows(), and takes
// them down at the end (the program entry, window tests and the start-up benchmark).

class TProgramState;

void CreateWindows(TProgramState& state);
void DestroyWindows();

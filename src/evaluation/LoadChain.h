#pragma once
// The end of every way of loading a test: the header panel and battery table, the
// durations of the loaded battery type, then the data grid, which evaluates the capacity
// and asks for the graph to be rebuilt.

class TProgramState;

void ShowLoadedTest(TProgramState& state);

#pragma once
// The compensation table a test text file names, matched against the program's tables.

#include "evaluation/EvaluationTypes.h"

class TProgramState;

// Index of the table to select for a table read from a file: a table of the same name
// (any letter case, the first one) with the same seven coefficients; otherwise the file's
// table is appended, under its name with "_1" when that name is taken by other values,
// to TempCompTables and the items of TKbat. A "_1" table with the same values that an
// earlier load appended is selected again rather than appended twice.
int MatchFileCompensationTable(TProgramState& state, const TTempCompTable& table);

#pragma once
// The temperature-compensation tables offered when the configuration file lists none, so an
// installed program can compensate from its first start. They live in memory only: the
// program never writes tables, and a file written under one locale's decimal separator would
// read as zeros under another.

#include "evaluation/EvaluationTypes.h"

const TTempCompTableList& BuiltInCompensationTables();

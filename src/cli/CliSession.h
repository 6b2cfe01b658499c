#pragma once
// The state a freshly started desktop program has, taken from the companion's own
// configuration file and battery-type list, and the tester link the run uses.

struct TCliArguments;

// Restores the evaluation choices, compensation tables, battery-table captions and the
// settings values from the configuration (a missing default file means all defaults),
// applies the stored language and reads the battery-type list. Throws VybitorError for an explicitly named file
// that is missing and for a battery-type list that cannot be read.
void StartProgramState(const TCliArguments& args);

// The link of --tcp / --serial, else of the configuration. Throws when the serial port
// cannot be opened (after its message).
void OpenTesterLink(const TCliArguments& args);

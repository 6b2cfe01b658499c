#pragma once
// The commands of vybitor5-cli, each running the desktop program's own core operations.

#include <QStringList>

struct TCliArguments;

// Runs the parsed command; returns the exit status (ExitUsage for a battery the test lacks).
int RunCliCommand(const TCliArguments& args);

// Commands on the tester (CliTesterCommands.cpp).
void RunList(const TCliArguments& args);
void RunDownload(const TCliArguments& args);
void RunDelete(const TCliArguments& args);
void RunPresetsPull(const TCliArguments& args);
void RunPresetsPush(const TCliArguments& args);

// Commands on files (CliFileCommands.cpp).
void RunConvert(const TCliArguments& args);
void RunEvaluate(const TCliArguments& args);

// The archive of test text files (CliArchiveCommand.cpp).
void RunArchive(const TCliArguments& args);

// The archive index (CliIndexCommands.cpp).
void RunIndex(const TCliArguments& args);
void RunFleet(const TCliArguments& args);
// trend --set: the set's test files in the index, oldest first; throws when there is none.
QStringList IndexedSetFiles(const TCliArguments& args);

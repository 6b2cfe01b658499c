#pragma once
// What the main window's "Ulož" and "Otevři" do once their dialog gave a path.

#include <QString>

class TProgramState;
class TTestDirectory;

// The name "Ulož" proposes: "Test" and the measurement number, or the locality (option
// "Jméno testu"), with every character a file name cannot hold replaced.
QString ProposedTestFileName(const TProgramState& state);
// Replaces the characters no file name may hold (/ \ : * ? " < > | and control
// characters) with "_", so a proposed name never points into another folder.
QString SafeFileName(const QString& text);

// LastDirectory becomes the folder of the chosen file, with a trailing separator.
void RememberFolder(TProgramState& state, const QString& path);

// ".XLS" or ".XLSX" (any letter case) exports the workbook; any other name gets the
// test text file.
void SaveTestAs(const TProgramState& state, const QString& path);

// ".TXT" (any letter case): the test text file; the tester's test list is then emptied
// and counts as listed, so it stays empty until "Reload". Any other name: a stored test
// file, leaving the caption, the job, note and operator texts and the list as they are.
void OpenTestFile(TProgramState& state, TTestDirectory& directory, const QString& path);

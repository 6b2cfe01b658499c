#pragma once
// What the directory window's commands do with the tester: list, reload, delete, and
// load or append the test of the current row.

#include <QByteArray>

class TProgramState;
class TTesterLink;
class TTestDirectory;

// Reads the settings once, then #Tc and #TT until the list ends ("Error" for status 11).
void ListTesterDirectory(TTesterLink& link, TTestDirectory& directory);
// Forgets the list and asks the tester again.
void ReloadTesterDirectory(TTesterLink& link, TTestDirectory& directory);
// "Vymaž testy": asks, sends #TO per selected row top-down, #TD, waits, reloads.
void DeleteSelectedTests(TTesterLink& link, TTestDirectory& directory);
// "Vymaž skryté": asks, sends #TS, #TD, waits, reloads.
void DeleteHiddenTests(TTesterLink& link, TTestDirectory& directory);
// "Načti měření" before its download: battery cells emptied, caption reset, note emptied.
void PrepareTesterLoad(TProgramState& state);
// "Načti měření" / "Přidej": downloads the current row's test into the program's record
// (a fresh load or an append) and marks it read; the caller then shows the record.
// False when nothing changed. received, when given, gets the file as the tester sent it
// (empty when the tester refused it).
bool DownloadCurrentTest(TTesterLink& link, TTestDirectory& directory, bool append, QByteArray* received = nullptr);

#pragma once
// What the directory window's commands do with the tester: list, reload, delete, and
// load or append the test of the current row.

#include "model/TextGrid.h"

#include <QByteArray>
#include <QString>
#include <functional>

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
// What "Načti měření" empties before its download, kept to be put back.
struct TLoadEntries {
    TTextGrid BatteryGrid;
    QString Caption;
    QString Note;
};
// "Načti měření" before its download: battery cells emptied, caption reset, note emptied.
// Returns them as they were.
TLoadEntries PrepareTesterLoad(TProgramState& state);
// "Načti měření" (append false) or "Přidej" as the directory window runs them. A fresh load
// first empties what PrepareTesterLoad empties (then calls started); a download that brings
// nothing (refused, damaged, broken off, cancelled) puts it all back, and a link error goes
// on to the caller after that. "Přidej" is enabled afterwards exactly when a test is loaded.
// True when the record changed.
bool LoadTesterTest(TTesterLink& link, TTestDirectory& directory, TProgramState& state, bool append,
                    const std::function<void()>& started = {});
// "Načti měření" / "Přidej": downloads the current row's test into the program's record
// (a fresh load or an append) and marks it read; the caller then shows the record.
// False when nothing changed. received, when given, gets the file as the tester sent it
// (empty when the tester refused it).
bool DownloadCurrentTest(TTesterLink& link, TTestDirectory& directory, bool append, QByteArray* received = nullptr);

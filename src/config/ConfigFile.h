#pragma once
// The program's own keys of ConfigFile: the main window's evaluation choices, battery
// panel and row captions, the settings window's values and the archive folders.
// Every function works on TProgramState; windows apply what touches their widgets.
//
// Main window, restore event (after its placement):  values = RestoreMainWindow(ini, state);
//   then apply values.PanelFloating/PanelX/PanelY, values.Ikony (SetToolbarDisplayMode when
//   1 to 4) and, when values.SettingsVisible, show the settings window and check its toggle.
// Main window, save event:                            SaveMainWindow(ini, state, panel values)
// Main window show handler:                           ReadSettingsValues(ini, state.Settings)
// Settings window, save event:                        SaveSettingsValues(ini, state.Settings)
// "Ulož hlavicky baterií":                            SaveRowCaptions(ini, state.BatteryGrid)
// A failed write throws VybitorError("Unable to write to <path>"). The row captions are
// written in one replace of the file; the stores call the save functions inside theirs.

#include "config/IniFile.h"

class TProgramState;
class TTextGrid;
struct TSettingsValues;

inline const QString SectionNastaveni = QStringLiteral("NASTAVENI");
inline const QString SectionTempKomp = QStringLiteral("TEMP_KOMP");
inline const QString SectionTFmain = QStringLiteral("TFmain");
inline const QString SectionTFnastaveni = QStringLiteral("TFnastaveni");
inline const QString SectionHealth = QStringLiteral("STAV_BATERII"); // battery health and acceptance

// ConfigFile itself: the executable's path with ".ini".
TIniFile ProgramConfigFile();

// What the main window's restore event gives to widgets, and its save event takes back.
struct TMainWindowValues {
    bool PanelFloating = false; // TBXDockablePanel1_Floating
    int PanelX = 100;           // TBXDockablePanel1_fpx
    int PanelY = 100;           // TBXDockablePanel1_fpy
    int Ikony = 4;              // toolbar display mode; only 1 to 4 mean anything
    bool SettingsVisible = false; // TFnastaveni Visible was 1 (restore only)
};

// Reads the panel values and fills state: capacity unit and compensation type (an index
// outside its list gives 0), LastDirectory (executable's folder when empty), tables (at
// most MaxTempCompTables; table i replaces an earlier table i, tables added later stay),
// selected table (-1 when there is none), row captions. Sets
// PlacementRestored and signals ChoicesChanged and BatteryGridChanged.
TMainWindowValues RestoreMainWindow(const TIniFile& ini, TProgramState& state);
// Panel values, TKtyp and TKbat, TKkapacita and Directory, then Ikony, in that order.
void SaveMainWindow(TIniFile& ini, const TProgramState& state, const TMainWindowValues& values);

// The settings window's values, Jazyk and the archive folders (Archiv_count entries).
void ReadSettingsValues(const TIniFile& ini, TSettingsValues& settings);
// Jazyk, the TFnastaveni values in their fixed order, the non-empty archive folders
// numbered without gaps, then Archiv_count, then the STAV_BATERII keys (only once they
// differ from the defaults or the section exists). Higher numbers left by an earlier save stay.
void SaveSettingsValues(TIniFile& ini, const TSettingsValues& settings);

// Deletes GRBAT 1 to the stored GRBAT_COUNT, writes the new count (rows - 1) and the first
// column of every data row, empty captions included.
void SaveRowCaptions(TIniFile& ini, const TTextGrid& batteryGrid);

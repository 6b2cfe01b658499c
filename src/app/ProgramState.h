#pragma once
// Everything the main window holds, as plain core state: the test record, the texts of
// the header fields and result band, the battery table, the evaluation choices and the
// settings window's values. Windows show and edit this state; the CLI and the tests
// drive it without any window. One instance per run (TProgramState::Instance()).

#include "evaluation/EvaluationTypes.h"
#include "model/TestRecord.h"
#include "model/TextGrid.h"
#include "presentation/GraphSelection.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

// Texts of the main window's fields, as they stand (user edits included).
struct TMainTexts {
    QString Caption = QStringLiteral("Vybitor5 - 1.00");
    // header panel (editable)
    QString Hcislo_mereni, Hcislo_baterie, Hlokalita, Hzakazka, Hmeril, Hprovoz, Hpoznamka;
    QString Gtypbat; // text of the battery-type choice
    QString Gtypzk;  // text of the rated-duration choice (minutes)
    // result band (read-only)
    QString Hdatum, Hcas, Hperioda;
    QString Lvproud = QStringLiteral("Vybíjecí proud");
    QString Hvproud, Hknap, Hpocet_baterii;
    QString Hstav, Hdelka_testu, Hkapacita, Lvzkap;
    // never visible; both carry the design text until the first evaluation
    QString Hkapacita1 = QStringLiteral("Kapacita"), Lvzkap1 = QStringLiteral("Kapacita");
    QString Hhodnoceni; // "vyhovuje" / "nevyhovuje" while the capacity is judged, else empty
};

// Captions of the main window's labels as they stand in the current language; the test
// text file, the workbook and the reports write them beside the values.
struct TMainCaptions {
    QString Lcislo_mereni = QStringLiteral("Číslo měření");
    QString Lcislo_baterie = QStringLiteral("Číslo baterie");
    QString Llokalita = QStringLiteral("Lokalita");
    QString Lzakazka = QStringLiteral("Zakázka");
    QString Ldatum = QStringLiteral("Datum");
    QString Lcas = QStringLiteral("Čas");
    QString Lknap = QStringLiteral("Konečné napětí");
    QString Ltypbat = QStringLiteral("Typ baterie");
    QString Lpoznamka = QStringLiteral("Poznámka");
    QString Lzkouska = QStringLiteral("Zkouška");
    QString Lperioda = QStringLiteral("Perioda");
    QString Lmeril = QStringLiteral("Měřil");
    QString Lprovoz = QStringLiteral("Za provozovatele");
    QString Ldelka_testu = QStringLiteral("Délka testu");
    QString Lkapacita = QStringLiteral("Kapacita");
};

// The evaluation toolbar and the choice lists of the header panel.
struct TEvaluationChoices {
    int TKkapacita = 0;          // 0 "%", 1 "Ah"
    int TKtyp = 0;               // 0 "Žádná", 1 "Prumerná", 2 "Pocátecní"
    int TKbat = -1;              // index into TempCompTables / TKbatItems, -1 none
    QStringList TKbatItems;      // names of the compensation tables, list order
    QStringList GtypbatItems;    // distinct battery-type names, file order
    QStringList GtypzkItems;     // durations of the chosen type
    double CompTemperature = 0;  // temperature used by the last evaluation
};

// Sizes of the battery table on screen before a test fits them (pixels); the test report
// takes the screen's sizes as its layout units.
inline constexpr int BatteryTitleColumnWidth = 114, BatteryCellColumnWidth = 64, BatteryRowHeight = 21;

struct TArchiveFolder {
    QString Path;
    QString Subfolders; // "Y", "N", or empty when never set (counts as yes)
    // The archive's name in the index, when its last path component would not do (two
    // archives both called "Archiv"); PCs sharing the archive give it the same name.
    QString Name = {};
};

// Values of the settings window's controls (filled from ConfigFile at start).
struct TSettingsValues {
    QString TesterAddress = QStringLiteral("127.0.0.1"); // LMDEdit1_Text
    int Link = 0;               // LMDRkomunikace_ItemIndex: 0 Ethernet, 1 USB - RS232
    bool Provozovatel = false;  // Provozovatel_Checked
    int TestName = 0;           // LMDRJmeno_testu_ItemIndex: 0 test number, 1 locality
    int DataVersion = 0;        // LMDRvd: 0 "1.02", 1 "1.01"
    bool AutBat = false;        // Aut_bat
    bool AutNap = false;        // Aut_nap
    bool DruhaKap = false;      // Druha_kap
    int Language = 0;           // index of Cjazyk
    QString SerialPort;         // ComPort1_Port
    std::vector<TArchiveFolder> ArchiveFolders;
    THealthSettings Health;     // section STAV_BATERII
};

class TProgramState : public QObject {
    Q_OBJECT
public:
    TProgramState();
    static TProgramState& Instance();

    TTestRecord& Record() { return *record_; }
    const TTestRecord& Record() const { return *record_; }

    TMainTexts Texts;
    TMainCaptions Captions;
    TTextGrid BatteryGrid{2, 2};  // AdvStringGrid1 of the battery panel
    // On-screen column widths and row heights (index = grid row, the title row 0 included)
    // of the battery table; the report copies them. Missing entries count as the defaults.
    std::vector<int> BatteryGridColWidths, BatteryGridRowHeights;
    TEvaluationChoices Choices;
    TBatteryTypeList BatteryTypes;
    TTempCompTableList TempCompTables;
    TSettingsValues Settings;
    TGraphSelection Graph;        // what the graph window shows; the test report follows it
    QString LastDirectory;        // with a trailing separator
    QString OpenDialogInitialDir; // OpenDialog1_InitialDir, kept with the main window's placement
    bool PlacementRestored = false;
    bool SettingsRead = false;    // the tester's settings block was read this run
    bool DirectoryListed = false; // the tester's test list was loaded this run

signals:
    // Emitted by core operations so the windows can refresh what they show.
    void TextsChanged();
    void BatteryGridChanged();
    void ChoicesChanged();
    void SettingsChanged();
    void MeasurementTableChanged(); // the data grid follows the record
    void GraphRebuildRequested();
    void HealthSettingsChanged(); // weak share or acceptance changed

private:
    std::unique_ptr<TTestRecord> record_;
};

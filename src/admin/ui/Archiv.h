#pragma once
// Window TFarchiv (unit Archiv): the test text files of the archive folders, one row per
// test. The list is core state (TArchiveList); this window shows it and runs its commands.
// A scan shows its rows as they are found, with their count; meanwhile "Stop" is the one
// control of the program that answers, and a stop keeps the rows found so far.

#include "admin/ArchiveScan.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTableView;
class QToolBar;
class TOnlyLiveControl;
class TProgramState;
class TTextGridModel;

class TFarchiv : public QMainWindow {
    Q_OBJECT
public:
    explicit TFarchiv(TProgramState& state, QWidget* parent = nullptr);
    ~TFarchiv() override;

    const TArchiveList& List() const { return list_; }

    void TBXnactiClick();
    void TBXlnajdiClick();
    void TBXlvseClick();
    void TBXotevriClick();
    void TBXstopClick();
    // The selected tests' capacities over their dates, in the battery health window.
    void TBXtrendClick();
    void SortByTitle(int column);
    bool Scanning() const { return liveStop_ != nullptr; }

    QToolBar* TBXToolbar1 = nullptr;
    QAction *TBXnacti = nullptr, *TBXstop = nullptr, *TBXapodadr = nullptr, *TBXlnajdi = nullptr;
    QAction *TBXlvse = nullptr, *TBXotevri = nullptr, *TBXtrend = nullptr;
    QAction* TBXprehled = nullptr; // the fleet of battery sets
    QLabel* TBXlbat = nullptr;
    QLineEdit* TBXcbat = nullptr;
    QTableView* AdvStringGrid1 = nullptr; // a view of the list's grid
    QLabel* Lpocet = nullptr; // the count of tests found, in the status bar
    QProgressBar* Progress = nullptr; // files read while the index is brought up to date

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildToolbar();
    void RegisterTexts(); // the window's texts under [Farchiv] of a language file
    // The grid from the list: cells, titles, hidden rows.
    void ShowList();
    // The rows not in the grid yet added, then hidden rows and column widths.
    void CompleteList();
    // The grid's first `rows` rows shown (-1: all), new titles included.
    void ShowRows(int rows);
    void ShowHiddenRows();
    void ShowCount(bool scanning);
    // Scan mode on or off: the commands off and "Stop" shown, or back.
    void SetScanning(bool on);
    // After every entry of a scan: the rows found so far (a few times a second), then the
    // program's messages; false once "Stop" was pressed.
    bool ScanStep();
    // "Načti soubory": the list from the index shown, the index brought up to date, and the
    // list again when that changed it; the messages the user should see. Throws
    // VybitorError when the index cannot be used.
    QStringList ListThroughIndex();
    // After every entry of the walk: what was seen and read, a few times a second.
    bool IndexStep(qint64 seen, qint64 read);

    TProgramState& state_;
    TArchiveList list_;
    TTextGridModel* rows_ = nullptr;
    std::unique_ptr<TOnlyLiveControl> liveStop_;
    QElapsedTimer sinceRowsShown_;
    bool stopPressed_ = false;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
    // The status bar's count while scanning, after a stop and after a full scan ("%1" the
    // count), and the message of a trend without chosen tests, in the language in force.
    QString scanningText_ = QStringLiteral("Hledám… nalezeno testů: %1");
    QString stoppedText_ = QStringLiteral("Hledání zastaveno, nalezeno testů: %1");
    QString foundText_ = QStringLiteral("Nalezeno testů: %1");
    QString noTestsText_ = QStringLiteral("Vyberte testy, jejichž kapacitu chcete sledovat.");
};

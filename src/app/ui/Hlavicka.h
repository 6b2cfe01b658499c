#pragma once
// Window TFmain (unit Hlavicka): toolbar, test header, result band, battery panel and
// status bar of the one test in memory. Texts and choices live in TProgramState; this
// window shows and edits them.

#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class QWidget;
class TProgramState;
class TFhlavicky;
class TIniFile;
class TPlacementStore;
class TBatteryTable;
struct TMainTexts;

class TFmain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFmain(TProgramState& state, QWidget* parent = nullptr);

    static constexpr int DesignWidth = 970;
    static constexpr int DesignHeight = 544;
    static constexpr int PanelDockedHeight = 130;

    // Mode 1 icons, 2 text, 3 text beside icons, 4 text under icons; also applied to the
    // toolbars of the tester's test-list window. Other values leave the display alone.
    void SetToolbarDisplayMode(int mode);
    int ToolbarDisplayMode() const;

    // Placement store of section TFmain: restored at every show before the show handler,
    // stored on close and at program end.
    TPlacementStore* Placement = nullptr;

    void SetLinkStateText(const QString& text); // status panel 4
    // Binds the toolbar toggles to the other windows, once all of them exist.
    void ConnectToggles();
    // "Načti test" lists the tester's tests; a download clears and then refills the views.
    void ConnectTesterDirectory(TFhlavicky& directory);

    // "Ulož" and "Otevři" (HlavickaFiles.cpp).
    void TBXulozClick();
    void TBXotevriClick();
    // Opens a test file chosen without the dialog (recent files, a drop) as "Otevři" does.
    void OpenChosenTestFile(const QString& path);

    // Named parts, for the other windows, the placement store and the tests.
    QToolBar* TBXToolbar3 = nullptr;
    QToolBar* TBXToolbar2 = nullptr;
    QAction *TBXotevri = nullptr, *TBXuloz = nullptr, *TBXtisk = nullptr;
    QAction *TBXnacti_test = nullptr, *TBXgraf = nullptr, *TBXdata = nullptr;
    QAction *TBXarchiv = nullptr, *TBXnastaveni = nullptr;
    QComboBox *TKkapacita = nullptr, *TKtyp = nullptr, *TKbat = nullptr;
    QMenu* TBXPopupMenu1 = nullptr;
    QAction* TBXItem[4] = {};
    QAction* TBXVisibilityToggleItem1 = nullptr;
    // The popup's show/hide items of TBXToolbar3 and TBXToolbar2, after "Baterie".
    QAction* TBXToolbarItem[2] = {};
    QWidget* Panel1 = nullptr;
    QWidget* Panel3 = nullptr;
    QLineEdit *Hcislo_mereni = nullptr, *Hcislo_baterie = nullptr, *Hlokalita = nullptr;
    QLineEdit *Hzakazka = nullptr, *Hmeril = nullptr, *Hprovoz = nullptr, *Hpoznamka = nullptr;
    QComboBox *Gtypbat = nullptr, *Gtypzk = nullptr;
    QLabel* Lprovoz = nullptr;
    QLabel *Hdatum = nullptr, *Hcas = nullptr, *Hperioda = nullptr;
    QLabel *Lvproud = nullptr, *Hvproud = nullptr, *Hknap = nullptr, *Hpocet_baterii = nullptr;
    QLabel *Hstav = nullptr, *Hdelka_testu = nullptr, *Hkapacita = nullptr, *Lvzkap = nullptr;
    QLabel* Hhodnoceni = nullptr; // the capacity's judgement, right of Lvzkap
    QDockWidget* TBXDockablePanel1 = nullptr;
    TBatteryTable* AdvStringGrid1 = nullptr;
    QLabel* StatusPanel[4] = {};

signals:
    // The user closed the main window and every window is stored: the program ends.
    void Closed();
    void TestFileUsed(const QString& path); // a test file was opened or saved

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A right click on the battery panel's title bar or a toolbar handle: the popup menu.
    QMenu* createPopupMenu() override;
    // The same popup from a right click on the window's panels: with both toolbars hidden
    // and the battery panel closed it is the way back to them.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void BuildToolbars();
    void BuildPopupMenu();
    void BuildHeaderPanel(QWidget* parent);
    void BuildResultBand(QWidget* parent);
    void BuildBatteryPanel();
    void AddToolbarItems();
    void BuildStatusBar();
    void WatchToggleWindow(QWidget* window, QAction* toggle);

    void BuildPlacementStore();
    void RestoreStoredProperties(const TIniFile& ini, const QString& section);
    void StoreStoredProperties(TIniFile& ini, const QString& section) const;
    void RestoreEvent(const TIniFile& ini);
    void SaveEvent(TIniFile& ini) const;
    void RestorePanelFloating(bool floating, const QPoint& floatingPos);
    void RegisterTexts();
    void RunShowHandler();
    void ApplyStoredLanguage();
    void RefreshTexts();
    void RefreshChoices();
    // Runs a choice's core handler and tells the user what it refused.
    static void RunChoiceHandler(const std::function<void()>& handler);
    void ApplySecondLineRule(QLineEdit* field, int limit);
    void ShowAcceptance();
    void PanelDockingChanged(bool floating);
    void PanelShownChanged(bool shown);

    struct TTextField {
        QLineEdit* edit;
        QString TMainTexts::*text;
    };
    struct TTextLabel {
        QLabel* label;
        QString TMainTexts::*text;
    };

    TProgramState& state_;
    std::vector<TTextField> textFields_;
    std::vector<TTextLabel> textLabels_;
    std::vector<std::pair<QWidget*, QAction*>> toggleWindows_;
    bool panelShown_ = true;
    int panelDockedHeight_ = PanelDockedHeight;
    QSize panelFloatingSize_;
    QPoint panelFloatingPos_{100, 100}; // stored also while the panel is docked
};

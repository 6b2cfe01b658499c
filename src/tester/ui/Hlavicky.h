#pragma once
// Window TFhlavicky (unit Hlavicky): the tests stored in the tester.

#include <QMainWindow>
#include <QStringList>

class QAction;
class QTableView;
class QToolBar;
class TProgramState;
class TTextGridModel;
class TTestDirectory;

class TFhlavicky : public QMainWindow {
    Q_OBJECT
public:
    explicit TFhlavicky(TProgramState& state, QWidget* parent = nullptr);

    QToolBar* Toolbar() const { return toolbar_; }
    QTableView* Grid() const { return view_; }
    QAction* ReloadItem() const { return reload_; }
    QAction* LoadItem() const { return load_; }
    QAction* AppendItem() const { return append_; }
    QAction* ShowHiddenItem() const { return showHidden_; }
    QAction* DeleteItem() const { return delete_; }
    QAction* DeleteHiddenItem() const { return deleteHidden_; }

    // "Načti test" switched on: show the window and list the tester's tests.
    void ShowAndList();

signals:
    void Closed();
    // A fresh load has emptied the battery cells, caption and note: the main window shows
    // the data window.
    void LoadStarting();
    // A test was loaded or appended into the record: run the load chain.
    void TestLoaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static constexpr int TranslatedTitleCount = 13; // the titled columns 0 to 12

    void BuildPlacementStore();
    void RegisterTexts();
    void refresh();
    void download(bool append);
    void takeSelection();

    TProgramState& state_;
    TTestDirectory& directory_;
    QStringList titles_; // column titles in the current language
    TTextGridModel* model_;
    QTableView* view_;
    QToolBar* toolbar_;
    QAction* reload_;
    QAction* load_;
    QAction* append_;
    QAction* showHidden_;
    QAction* delete_;
    QAction* deleteHidden_;
};

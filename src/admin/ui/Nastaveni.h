#pragma once
// Window TFnastaveni (unit Nastaveni): the program's options, bound to
// TProgramState::Settings. The controls write every change into the state at once; the
// save event stores the state in ConfigFile on every close and at program end.

#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TChoiceGroup;
class TPlacementStore;
class TProgramState;

class TFnastaveni : public QWidget {
    Q_OBJECT
public:
    explicit TFnastaveni(TProgramState& state, QWidget* parent = nullptr);

    static constexpr int DesignWidth = 594;
    static constexpr int DesignHeight = 361;

    // The folder dialog of a "Cesta" cell: current path in, chosen folder out (empty when
    // cancelled). Tests put their own chooser here.
    std::function<QString(const QString& current)> ChooseFolder;

    // Fills the controls from the state (also done at every show).
    void ShowSettings();
    // The browse button of archive grid row (0-based data row).
    void BrowseFolder(int row);
    // Removes the folder of the grid's current row (Delete key, the row's context menu).
    void RemoveFolder();

    QLabel* LIPadresa = nullptr;
    QLineEdit* LMDEdit1 = nullptr;
    QPushButton* LMDBuloz_hl_bat = nullptr;
    QPushButton* LMDButton1 = nullptr;
    QLabel* Ljazyk = nullptr;
    QCheckBox *acb = nullptr, *anz = nullptr, *dkap = nullptr, *Provozovatel = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* hkap = nullptr;         // "Hodnotit kapacitu"
    QSpinBox* prah = nullptr;          // its threshold in percent
    QLabel* Lslaba = nullptr;
    QSpinBox* slaba = nullptr;         // weak below this share of the median, percent
    QLabel* LCjazyk = nullptr;         // "Jazyk", the caption of Cjazyk
    // The program's language: Czech and one entry per language file found. A choice
    // switches at once and is stored with the settings.
    QComboBox* Cjazyk = nullptr;
    QTableWidget* AdvColumnGrid1 = nullptr;
    QAction* RemoveFolderItem = nullptr; // "Odstraň adresář" (Delete) of the folder grid
    // Never shown; they hold settings that only ConfigFile changes.
    TChoiceGroup* LMDRkomunikace = nullptr;
    QComboBox* ComComboBox1 = nullptr;
    TChoiceGroup* LMDRJmeno_testu = nullptr;
    TChoiceGroup* LMDRvd = nullptr;
    TPlacementStore* PlacementStore = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void BuildHiddenControls();
    void RegisterTexts();
    // The folder grid's "Podadresáře" column at least as wide as its title (in the language
    // in force); the path column gives up the difference, so the grid stays in the window.
    void FitFolderColumns();
    void Bind();
    void ShowFolders();
    void ProvozovatelClick(bool checked);
    void CjazykChange(int index);
    void LMDBuloz_hl_batClick();

    TProgramState& state_;
    bool showing_ = false; // controls being filled from the state, not edited
};

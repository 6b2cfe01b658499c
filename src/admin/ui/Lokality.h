#pragma once
// Window TFlokality (unit Lokality): the locality presets. The table is the run's
// PresetTable(); TPresetEditor holds the editing rules, this window mirrors its fields
// and selected row and runs the file and tester commands.

#include "admin/PresetEditor.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QSpinBox;
class QTableWidget;
class QToolButton;
class TProgramState;

class TFlokality : public QDialog {
    Q_OBJECT
public:
    explicit TFlokality(TProgramState& state, QWidget* parent = nullptr);

    // File dialogs of "Otevři" and "Ulož" (empty when cancelled); tests put their own here.
    std::function<QString()> ChooseOpenFile;
    std::function<QString()> ChooseSaveFile;

    TPresetEditor& Editor() { return editor_; }

    // Event handlers, named after their component.
    void VlozClick();
    void NahoruClick();
    void DoluClick();
    void SmazClick();
    void OtevriClick();
    void UlozClick();
    void NactiClick();
    void PosliClick();

    QMenuBar* MainMenu1 = nullptr;
    QMenu *Soubor = nullptr, *Nastaveni = nullptr;
    QAction *Otevri = nullptr, *Uloz = nullptr, *Nacti = nullptr, *Posli = nullptr;
    QTableWidget* clok = nullptr;
    QToolButton *Nahoru = nullptr, *Vloz = nullptr, *Smaz = nullptr, *Dolu = nullptr;
    QLabel* Label11 = nullptr;
    QSpinBox* per = nullptr;
    QLineEdit *tbat = nullptr, *cbat = nullptr, *lokalita = nullptr, *meril = nullptr;
    QComboBox *merit = nullptr, *ukoncit = nullptr, *vchar = nullptr;
    QDoubleSpinBox *vprv = nullptr, *vknap = nullptr, *vcnap = nullptr;
    QSpinBox* dtestu = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenu();
    void BuildList();
    void BuildFields();
    void RegisterTexts(); // the window's texts under [Flokality] of a language file
    void PlaceControls();
    void clokRowChanged(int newRow, int oldRow);
    // The editor's fields from the window's controls, and back.
    void TakeFields();
    void ShowFields();
    // FillPresetList and the selection of the editor's selected row, without a row change.
    void FillPresetList();
    // Runs an operation that moves the selection itself; its errors become messages.
    void Untracked(const std::function<void()>& operation);

    TPresetEditor editor_;
    struct TFieldPlace {
        QWidget* Caption;
        QWidget* Field;
        QWidget* Unit;
    };
    std::vector<TFieldPlace> places_;
};

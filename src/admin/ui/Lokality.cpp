#include "admin/ui/Lokality.h"

#include "admin/PresetTransfer.h"
#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "config/ConfigFile.h"
#include "config/ui/PlacementStore.h"
#include "i18n/ui/TranslatableText.h"
#include "model/Errors.h"
#include "tester/TesterLink.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

namespace {

constexpr int ListColumnWidth = 110;
constexpr int Margin = 8;
constexpr int RowPitch = 26;
// Offsets from the list's right edge.
constexpr int ButtonsOffset = 8, CaptionOffset = 52, FieldOffset = 156, SecondsOffset = 220, VoltsOffset = 224;
constexpr int NumberWidth = 62;
constexpr int TextWidth = 150;
const QString PresetFilter = QStringLiteral("Lokality (*.lkt)");

QComboBox* Choice(const QStringList& items, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItems(items);
    return box;
}

QDoubleSpinBox* Number(int decimals, double low, double high, double value, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(decimals);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QLineEdit* Text(int maxLength, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

TFlokality::TFlokality(TProgramState&, QWidget* parent) : QDialog(parent), editor_(PresetTable())
{
    setObjectName(QStringLiteral("Flokality"));
    setWindowTitle(QStringLiteral("Nastavení testů podle lokalit"));
    ChooseOpenFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), ExeFolder(), PresetFilter);
    };
    ChooseSaveFile = [this] {
        QFileDialog dialog(this, QString(), ExeFolder(), PresetFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("lkt"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    BuildMenu();
    BuildList();
    BuildFields();
    RegisterTexts();
    FillPresetList();
    ShowFields();
    resize(600, 400);
    new TPlacementStore(this, QStringLiteral("TFlokality"), ProgramConfigFile().FileName());
}

void TFlokality::BuildMenu()
{
    MainMenu1 = new QMenuBar(this);
    Soubor = MainMenu1->addMenu(QStringLiteral("Soubor"));
    Otevri = Soubor->addAction(QStringLiteral("Otevři"), this, &TFlokality::OtevriClick);
    Uloz = Soubor->addAction(QStringLiteral("Ulož"), this, &TFlokality::UlozClick);
    Nastaveni = MainMenu1->addMenu(QStringLiteral("Nastavení"));
    Nacti = Nastaveni->addAction(QStringLiteral("Načti"), this, &TFlokality::NactiClick);
    Posli = Nastaveni->addAction(QStringLiteral("Pošli"), this, &TFlokality::PosliClick);
}

void TFlokality::BuildList()
{
    clok = new QTableWidget(1, 2, this);
    clok->setHorizontalHeaderLabels({QStringLiteral("Lokalita"), QStringLiteral("Typ baterie")});
    clok->verticalHeader()->hide();
    clok->setColumnWidth(0, ListColumnWidth);
    clok->setColumnWidth(1, ListColumnWidth);
    clok->setEditTriggers(QAbstractItemView::NoEditTriggers);
    clok->setSelectionBehavior(QAbstractItemView::SelectRows);
    clok->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(clok, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int oldRow, int) { clokRowChanged(row, oldRow); });

    const auto button = [this](const char* text, const char* hint, void (TFlokality::*click)()) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf8(text));
        if (hint)
            b->setToolTip(QString::fromUtf8(hint));
        b->setFixedSize(32, 26);
        connect(b, &QToolButton::clicked, this, click);
        return b;
    };
    Nahoru = button("^", nullptr, &TFlokality::NahoruClick);
    Vloz = button("<", "Vlož", &TFlokality::VlozClick);
    Smaz = button("x", "Smaž", &TFlokality::SmazClick);
    Dolu = button("v", nullptr, &TFlokality::DoluClick);
    Label11 = new QLabel(this);
}

void TFlokality::BuildFields()
{
    lokalita = Text(19, this);
    tbat = Text(16, this);
    cbat = Text(16, this);
    meril = Text(15, this);
    per = new QSpinBox(this);
    per->setRange(10, 255);
    vprv = Number(1, 0, 99999, 5.0, this);
    vchar = Choice({QStringLiteral("A"), QStringLiteral("W")}, this);
    vknap = Number(1, 0, 9999, 42.0, this);
    vcnap = Number(2, 1.50, 2.25, 1.75, this);
    dtestu = new QSpinBox(this);
    dtestu->setRange(0, 60000);
    ukoncit = Choice({QStringLiteral("Ne"), QStringLiteral("Ano")}, this);
    merit = Choice({QStringLiteral("Ne"), QStringLiteral("Ano")}, this);

    const auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    places_ = {
        {label("Lokalita :"), lokalita, nullptr},
        {label("Typ baterie :"), tbat, nullptr},
        {label("Číslo baterie :"), cbat, nullptr},
        {label("Měřil :"), meril, nullptr},
        {label("Perioda :"), per, label("s")},
        {label("Vybíjecí proud :"), vprv, vchar},
        {label("Koncové napětí :"), vknap, label("V")},
        {label("Napětí článku :"), vcnap, label("V")},
        {label("Délka testu :"), dtestu, label("min ")},
        {label("Ukončit v délce :"), ukoncit, nullptr},
        {label("Pouze měřit:"), merit, nullptr},
    };
}

void TFlokality::RegisterTexts()
{
    const QString window = QStringLiteral("Flokality");
    TranslateTitle(window, 1, this);
    TranslateText(window, 2, Soubor->menuAction());
    TranslateText(window, 3, Otevri);
    TranslateText(window, 4, Uloz);
    TranslateText(window, 5, Nastaveni->menuAction());
    TranslateText(window, 6, Nacti);
    TranslateText(window, 7, Posli);
    TranslateHeader(window, 8, clok, 0);
    TranslateHeader(window, 9, clok, 1);
    TranslateHint(window, 10, Vloz);
    TranslateHint(window, 11, Smaz);
    int id = 12; // 12-22: the field captions, top to bottom
    for (const TFieldPlace& place : places_)
        TranslateText(window, id++, static_cast<QLabel*>(place.Caption));
    TranslateItem(window, 23, ukoncit, 0);
    TranslateItem(window, 24, ukoncit, 1);
    TranslateItem(window, 25, merit, 0);
    TranslateItem(window, 26, merit, 1);
}

void TFlokality::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    PlaceControls();
}

void TFlokality::PlaceControls()
{
    const int top = MainMenu1->sizeHint().height() + Margin;
    MainMenu1->setGeometry(0, 0, width(), MainMenu1->sizeHint().height());
    // The list takes what the fields leave.
    const int fieldsRoom = FieldOffset + TextWidth + Margin;
    const int listWidth = std::max(2 * ListColumnWidth + 4, width() - Margin - fieldsRoom);
    clok->setGeometry(Margin, top, listWidth, height() - top - Margin);
    const int right = Margin + listWidth;

    int y = top;
    for (QToolButton* b : {Nahoru, Vloz, Smaz, Dolu}) {
        b->move(right + ButtonsOffset, y);
        y += RowPitch + 4;
    }
    Label11->setGeometry(right + ButtonsOffset, y, 40, 20);

    y = top;
    for (const TFieldPlace& place : places_) {
        place.Caption->setGeometry(right + CaptionOffset, y + 3, FieldOffset - CaptionOffset - 4, 20);
        const bool text = qobject_cast<QLineEdit*>(place.Field) != nullptr;
        // A number field is as wide as its largest value needs beside its arrows ("1500,0"
        // lost its last digit under them), and its unit moves right of it.
        const int width = text ? TextWidth : std::max(NumberWidth, place.Field->sizeHint().width());
        place.Field->setGeometry(right + FieldOffset, y, width, 22);
        if (place.Unit) {
            const int at = place.Unit == vchar || place.Field == vknap || place.Field == vcnap ? VoltsOffset : SecondsOffset;
            const int x = std::max(right + at, right + FieldOffset + width + 4);
            place.Unit->setGeometry(x, y, place.Unit == vchar ? 48 : 30, 22);
        }
        y += RowPitch;
    }
}

void TFlokality::TakeFields()
{
    TPresetFields& f = editor_.Fields;
    f.Period = per->value();
    f.BatteryType = tbat->text();
    f.BatteryId = cbat->text();
    f.MeasureOnly = merit->currentIndex();
    f.DischargeValue = vprv->value();
    f.TestLength = dtestu->value();
    f.EndAtLength = ukoncit->currentIndex();
    f.PowerMode = vchar->currentIndex();
    f.EndVoltage = vknap->value();
    f.CellVoltage = vcnap->value();
    f.Locality = lokalita->text();
    f.MeasuredBy = meril->text();
}

void TFlokality::ShowFields()
{
    const TPresetFields& f = editor_.Fields;
    per->setValue(f.Period);
    tbat->setText(f.BatteryType);
    cbat->setText(f.BatteryId);
    merit->setCurrentIndex(f.MeasureOnly);
    vprv->setValue(f.DischargeValue);
    dtestu->setValue(f.TestLength);
    ukoncit->setCurrentIndex(f.EndAtLength);
    vchar->setCurrentIndex(f.PowerMode);
    vknap->setValue(f.EndVoltage);
    vcnap->setValue(f.CellVoltage);
    lokalita->setText(f.Locality);
    meril->setText(f.MeasuredBy);
}

void TFlokality::FillPresetList()
{
    const bool tracking = std::exchange(editor_.TrackRowChange, false);
    const int rows = editor_.ListRowCount() - 1;
    clok->setRowCount(rows);
    for (int row = 1; row <= rows; ++row) {
        clok->setItem(row - 1, 0, new QTableWidgetItem(editor_.ListLocality(row)));
        clok->setItem(row - 1, 1, new QTableWidgetItem(editor_.ListBatteryType(row)));
    }
    Label11->setText(QString::number(editor_.Table().PresetCount));
    clok->setCurrentCell(std::clamp(editor_.SelectedRow, 1, rows) - 1, 0);
    editor_.TrackRowChange = tracking;
}

void TFlokality::clokRowChanged(int newRow, int oldRow)
{
    if (!editor_.TrackRowChange || newRow < 0 || newRow == oldRow)
        return;
    TakeFields();
    if (!editor_.ChangeRow(newRow + 1, UserReport())) {
        Untracked([&] { clok->setCurrentCell(editor_.SelectedRow - 1, 0); });
        // A click or key selects its row only after the view told the change: highlight
        // the refused row's edited one again once that input is done.
        QMetaObject::invokeMethod(this, [this] { Untracked([] {}); }, Qt::QueuedConnection);
        return;
    }
    ShowFields();
    FillPresetList(); // a changed locality or battery type shows in the list
}

void TFlokality::Untracked(const std::function<void()>& operation)
{
    editor_.TrackRowChange = false;
    try {
        operation();
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
    FillPresetList();
    editor_.TrackRowChange = true;
}

void TFlokality::VlozClick()
{
    Untracked([this] {
        TakeFields();
        editor_.Insert(UserReport());
    });
}

void TFlokality::NahoruClick()
{
    Untracked([this] { editor_.MoveUp(); });
}

void TFlokality::DoluClick()
{
    Untracked([this] { editor_.MoveDown(); });
}

void TFlokality::SmazClick()
{
    Untracked([this] {
        const bool remain = editor_.Table().PresetCount > 1;
        editor_.Delete();
        if (remain)
            ShowFields();
    });
}

void TFlokality::UlozClick()
{
    TakeFields();
    if (!editor_.PrepareSave(UserReport()))
        return;
    const QString path = ChooseSaveFile();
    if (path.isEmpty())
        return;
    try {
        editor_.SaveFile(path);
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
}

void TFlokality::OtevriClick()
{
    const QString path = ChooseOpenFile();
    if (path.isEmpty())
        return;
    Untracked([&] {
        editor_.OpenFile(path);
        ShowFields();
    });
}

void TFlokality::PosliClick()
{
    TakeFields();
    editor_.StorePreset(editor_.SelectedRow - 1);
    try {
        SendPresetsToTester(TTesterLink::Instance(), editor_.Table());
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
}

void TFlokality::NactiClick()
{
    Untracked([this] {
        LoadPresetsFromTester(TTesterLink::Instance(), editor_);
        ShowFields();
    });
}

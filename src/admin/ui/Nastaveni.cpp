#include "admin/ui/Nastaveni.h"

#include "admin/ArchiveFolders.h"
#include "admin/ui/ChoiceGroup.h"
#include "admin/ui/Lokality.h"
#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "app/ui/Hlavicka.h"
#include "app/ui/Windows.h"
#include "config/ConfigFile.h"
#include "evaluation/BatteryHealth.h"
#include "evaluation/CapacityEvaluation.h"
#include "config/ui/PlacementStore.h"
#include "i18n/LanguageList.h"
#include "i18n/TranslationRegistry.h"
#include "model/Errors.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QSerialPortInfo>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace {

// Ids of the window's translatable texts in a language file's [Fnastaveni] section.
enum TextId {
    IdCaption = 1, IdLIPadresa, IdLMDBuloz_hl_bat, IdLMDButton1, IdLjazyk, IdAcb, IdAnz, IdDkap,
    IdProvozovatel, IdLabel1, IdCesta, IdPodadresare, IdHkap, IdLslaba, IdOdstranAdresar, IdPrahHint, IdSlabaHint, IdLCjazyk
};

constexpr int CestaWidth = 304;
constexpr int PodadresareWidth = 69;

// A "Cesta" cell: the path and its browse button.
QWidget* BrowseCell(const QString& path, QWidget* parent, const std::function<void()>& browse)
{
    auto* cell = new QWidget(parent);
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->setSpacing(2);
    auto* text = new QLabel(path, cell);
    text->setObjectName(QStringLiteral("Path"));
    layout->addWidget(text, 1);
    auto* button = new QToolButton(cell);
    button->setObjectName(QStringLiteral("Browse"));
    button->setText(QStringLiteral("…"));
    QObject::connect(button, &QToolButton::clicked, cell, browse);
    layout->addWidget(button);
    return cell;
}

QSpinBox* PercentBox(QWidget* parent, const QRect& geometry, const QString& toolTip)
{
    auto* box = new QSpinBox(parent);
    box->setGeometry(geometry);
    box->setRange(1, 100);
    box->setSuffix(QStringLiteral(" %"));
    box->setToolTip(toolTip);
    return box;
}

} // namespace

TFnastaveni::TFnastaveni(TProgramState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    setObjectName(QStringLiteral("Fnastaveni"));
    setWindowTitle(QStringLiteral("Nastavení"));
    resize(DesignWidth, DesignHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(198, 234, 240));
    setPalette(colours);
    setAutoFillBackground(true);
    ChooseFolder = [this](const QString& current) {
        return QFileDialog::getExistingDirectory(this, QString(), current);
    };
    BuildControls();
    BuildHiddenControls();
    RegisterTexts();
    Bind();
    PlacementStore = new TPlacementStore(this, SectionTFnastaveni, ProgramConfigFile().FileName());
    PlacementStore->Hooks.SaveEvent = [this](TIniFile& ini, const QString&) {
        SaveSettingsValues(ini, state_.Settings);
    };
}

void TFnastaveni::BuildControls()
{
    LIPadresa = new QLabel(QStringLiteral("IP adresa"), this);
    LIPadresa->setGeometry(16, 16, 80, 20);
    LMDEdit1 = new QLineEdit(this);
    LMDEdit1->setGeometry(96, 14, 100, 22);

    Ljazyk = new QLabel(QStringLiteral("Automaticky vyplnit"), this);
    Ljazyk->setGeometry(16, 52, 180, 20);
    acb = new QCheckBox(QStringLiteral("Čísla baterií"), this);
    acb->setGeometry(24, 74, 180, 20);
    anz = new QCheckBox(QStringLiteral("Napětí na začátku"), this);
    anz->setGeometry(24, 96, 180, 20);
    dkap = new QCheckBox(QStringLiteral("Druhá kapacita v tisku"), this);
    dkap->setGeometry(24, 118, 180, 20);
    // The design has the box checked; the state (unchecked at a first start) decides.
    Provozovatel = new QCheckBox(QStringLiteral("Provozovatel"), this);
    Provozovatel->setGeometry(16, 152, 180, 20);

    hkap = new QCheckBox(QStringLiteral("Hodnotit kapacitu"), this);
    hkap->setGeometry(16, 184, 136, 20);
    prah = PercentBox(this, QRect(148, 183, 54, 22), QStringLiteral("Kapacita řetězce v procentech, od které vyhovuje"));
    Lslaba = new QLabel(QStringLiteral("Slabá baterie: odchylka od mediánu"), this);
    Lslaba->setGeometry(16, 214, 130, 36);
    Lslaba->setWordWrap(true);
    slaba = PercentBox(this, QRect(148, 220, 54, 22),
                       QStringLiteral("Baterie je slabá, když dosáhne konečného napětí, zatímco medián napětí baterií je o více než "
                                      "tento podíl výš, nebo když její napětí na konci je o více než tento podíl pod mediánem"));

    // Shown beyond the design: a user switches the language here, not in the INI.
    LCjazyk = new QLabel(QStringLiteral("Jazyk"), this);
    LCjazyk->setGeometry(16, 254, 68, 20);
    Cjazyk = new QComboBox(this);
    Cjazyk->setGeometry(84, 252, 118, 22);

    LMDBuloz_hl_bat = new QPushButton(QStringLiteral("Ulož hlavicky baterií"), this);
    LMDBuloz_hl_bat->setGeometry(16, 282, 170, 28);
    LMDButton1 = new QPushButton(QStringLiteral("Lokality"), this);
    LMDButton1->setGeometry(16, 318, 170, 28);

    Label1 = new QLabel(QStringLiteral("Adrersáře pro archiv"), this);
    Label1->setGeometry(204, 16, 300, 20);
    AdvColumnGrid1 = new QTableWidget(1, 2, this);
    AdvColumnGrid1->setGeometry(204, 38, CestaWidth + PodadresareWidth + 4, 308);
    AdvColumnGrid1->setHorizontalHeaderLabels({QStringLiteral("Cesta"), QStringLiteral("Podadresáře")});
    AdvColumnGrid1->verticalHeader()->hide();
    AdvColumnGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    // A wrong or vanished folder goes with the Delete key or the row's context menu.
    RemoveFolderItem = new QAction(QStringLiteral("Odstraň adresář"), AdvColumnGrid1);
    RemoveFolderItem->setShortcut(QKeySequence::Delete);
    RemoveFolderItem->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    AdvColumnGrid1->addAction(RemoveFolderItem);
    AdvColumnGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TFnastaveni::BuildHiddenControls()
{
    LMDRkomunikace = new TChoiceGroup(QStringLiteral("  Komunikace  "),
                                      {QStringLiteral("Ethernet"), QStringLiteral("USB - RS232")}, this);
    ComComboBox1 = new QComboBox(this);
    LMDRJmeno_testu = new TChoiceGroup(QStringLiteral("Jméno testu"),
                                       {QStringLiteral("Číslo testu"), QStringLiteral("Lokalita")}, this);
    LMDRvd = new TChoiceGroup(QStringLiteral("Verze dat"), {QStringLiteral("1.02"), QStringLiteral("1.01")}, this);
    LMDRvd->setToolTip(QStringLiteral("Verze zobrazovaná při zapnutí testeru"));
    for (QWidget* hidden : {static_cast<QWidget*>(LMDRkomunikace), static_cast<QWidget*>(ComComboBox1),
                            static_cast<QWidget*>(LMDRJmeno_testu),
                            static_cast<QWidget*>(LMDRvd)})
        hidden->hide();
}

void TFnastaveni::RegisterTexts()
{
    TTranslationRegistry& registry = TTranslationRegistry::Instance();
    const QString window = QStringLiteral("Fnastaveni");
    const auto reg = [&](int id, const QString& design, TTextSetter setter) {
        registry.Register(window, id, design, std::move(setter), this);
    };
    const auto caption = [&](int id, auto* control) {
        reg(id, control->text(), [control](const QString& t) { control->setText(t); });
    };
    reg(IdCaption, windowTitle(), [this](const QString& t) { setWindowTitle(t); });
    caption(IdLIPadresa, LIPadresa);
    caption(IdLMDBuloz_hl_bat, LMDBuloz_hl_bat);
    caption(IdLMDButton1, LMDButton1);
    caption(IdLjazyk, Ljazyk);
    caption(IdAcb, acb);
    caption(IdAnz, anz);
    caption(IdDkap, dkap);
    caption(IdProvozovatel, Provozovatel);
    caption(IdLabel1, Label1);
    caption(IdHkap, hkap);
    caption(IdLslaba, Lslaba);
    caption(IdLCjazyk, LCjazyk);
    const auto hint = [&](int id, QWidget* control) {
        reg(id, control->toolTip(), [control](const QString& t) { control->setToolTip(t); });
    };
    hint(IdPrahHint, prah);
    hint(IdSlabaHint, slaba);
    caption(IdCesta, AdvColumnGrid1->horizontalHeaderItem(0));
    caption(IdOdstranAdresar, RemoveFolderItem);
    QTableWidgetItem* subfolders = AdvColumnGrid1->horizontalHeaderItem(1);
    reg(IdPodadresare, subfolders->text(), [this, subfolders](const QString& t) {
        subfolders->setText(t);
        FitFolderColumns();
    });
}

void TFnastaveni::FitFolderColumns()
{
    const int subfolders = std::max(PodadresareWidth, AdvColumnGrid1->horizontalHeader()->sectionSizeHint(1));
    AdvColumnGrid1->setColumnWidth(1, subfolders);
    AdvColumnGrid1->setColumnWidth(0, CestaWidth + PodadresareWidth - subfolders);
}

void TFnastaveni::Bind()
{
    TSettingsValues& s = state_.Settings;
    connect(LMDEdit1, &QLineEdit::textEdited, this, [&s](const QString& t) { s.TesterAddress = t; });
    const auto option = [this](QCheckBox* box, bool TSettingsValues::*value) {
        connect(box, &QCheckBox::toggled, this, [this, value](bool on) {
            if (!showing_)
                state_.Settings.*value = on;
        });
    };
    option(acb, &TSettingsValues::AutBat);
    option(anz, &TSettingsValues::AutNap);
    option(dkap, &TSettingsValues::DruhaKap);
    const auto acceptance = [this] {
        prah->setEnabled(hkap->isChecked());
        if (!showing_)
            SetAcceptance(state_, hkap->isChecked(), prah->value());
    };
    connect(hkap, &QCheckBox::toggled, this, acceptance);
    connect(prah, &QSpinBox::valueChanged, this, acceptance);
    connect(slaba, &QSpinBox::valueChanged, this, [this](int percent) {
        if (!showing_)
            SetDeviation(state_, percent);
    });
    connect(Provozovatel, &QCheckBox::toggled, this, &TFnastaveni::ProvozovatelClick);
    connect(Cjazyk, &QComboBox::activated, this, &TFnastaveni::CjazykChange);
    connect(LMDBuloz_hl_bat, &QPushButton::clicked, this, &TFnastaveni::LMDBuloz_hl_batClick);
    connect(LMDButton1, &QPushButton::clicked, this, [] {
        if (TFlokality* presets = Windows().Flokality)
            presets->exec();
    });
    connect(AdvColumnGrid1, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        auto& folders = state_.Settings.ArchiveFolders;
        if (showing_ || item->column() != 1 || item->row() >= int(folders.size()))
            return;
        folders[item->row()].Subfolders = item->checkState() == Qt::Checked ? QStringLiteral("Y") : QStringLiteral("N");
    });
    connect(RemoveFolderItem, &QAction::triggered, this, &TFnastaveni::RemoveFolder);
    connect(AdvColumnGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const int row = AdvColumnGrid1->rowAt(pos.y());
        if (row < 0)
            return;
        AdvColumnGrid1->setCurrentCell(row, 1);
        RemoveFolderItem->setEnabled(!state_.Settings.ArchiveFolders[row].Path.isEmpty());
        QMenu menu(this);
        menu.addAction(RemoveFolderItem);
        menu.exec(AdvColumnGrid1->viewport()->mapToGlobal(pos));
        RemoveFolderItem->setEnabled(true);
    });
    connect(&state_, &TProgramState::SettingsChanged, this, &TFnastaveni::ShowSettings);
}

void TFnastaveni::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        ShowSettings();
    QWidget::showEvent(event);
}

void TFnastaveni::ShowSettings()
{
    showing_ = true;
    const TSettingsValues& s = state_.Settings;
    LMDEdit1->setText(s.TesterAddress);
    LMDRkomunikace->SetItemIndex(s.Link);
    LMDEdit1->setEnabled(s.Link != 1);
    acb->setChecked(s.AutBat);
    anz->setChecked(s.AutNap);
    dkap->setChecked(s.DruhaKap);
    Provozovatel->setChecked(s.Provozovatel);
    hkap->setChecked(s.Health.Acceptance);
    prah->setValue(int(std::lround(s.Health.AcceptanceThreshold)));
    prah->setEnabled(s.Health.Acceptance);
    slaba->setValue(int(std::lround(s.Health.Deviation)));
    LMDRJmeno_testu->SetItemIndex(s.TestName);
    LMDRvd->SetItemIndex(s.DataVersion);

    ComComboBox1->clear();
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        ComComboBox1->addItem(port.portName());
    if (ComComboBox1->findText(s.SerialPort) < 0)
        ComComboBox1->addItem(s.SerialPort);
    ComComboBox1->setCurrentText(s.SerialPort);

    Cjazyk->clear();
    const TLanguageList& languages = TLanguageList::Instance();
    for (int i = 0; i < languages.Count(); ++i)
        Cjazyk->addItem(languages.DisplayName(i));
    Cjazyk->setCurrentIndex(s.Language < languages.Count() ? s.Language : -1);
    ShowFolders();
    showing_ = false;
}

void TFnastaveni::ShowFolders()
{
    const bool wasShowing = std::exchange(showing_, true);
    auto& folders = state_.Settings.ArchiveFolders;
    KeepEmptyFolderRow(folders);
    AdvColumnGrid1->setRowCount(int(folders.size()));
    for (int row = 0; row < int(folders.size()); ++row) {
        AdvColumnGrid1->setCellWidget(row, 0, BrowseCell(folders[row].Path, AdvColumnGrid1,
                                                         [this, row] { BrowseFolder(row); }));
        auto* sub = new QTableWidgetItem;
        sub->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        // Only "N" searches without subfolders, so an unset value shows checked.
        sub->setCheckState(folders[row].Subfolders == QLatin1String("N") ? Qt::Unchecked : Qt::Checked);
        AdvColumnGrid1->setItem(row, 1, sub);
    }
    showing_ = wasShowing;
}

void TFnastaveni::BrowseFolder(int row)
{
    auto& folders = state_.Settings.ArchiveFolders;
    if (row < 0 || row >= int(folders.size()))
        return;
    const QString chosen = ChooseFolder(folders[row].Path);
    if (chosen.isEmpty())
        return;
    ChooseArchiveFolder(folders, row, chosen);
    ShowFolders();
}

void TFnastaveni::RemoveFolder()
{
    const int row = AdvColumnGrid1->currentRow();
    RemoveArchiveFolder(state_.Settings.ArchiveFolders, row);
    ShowFolders();
    AdvColumnGrid1->setCurrentCell(std::min(row, AdvColumnGrid1->rowCount() - 1), 1);
}

void TFnastaveni::ProvozovatelClick(bool checked)
{
    if (showing_)
        return;
    state_.Settings.Provozovatel = checked;
    if (TFmain* main = Windows().Fmain) {
        main->Lprovoz->setVisible(checked);
        main->Hprovoz->setVisible(checked);
    }
}

void TFnastaveni::CjazykChange(int index)
{
    // A language file that fails to load is told and the language in force stays chosen.
    try {
        if (SwitchToListedLanguage(index)) {
            state_.Settings.Language = index;
            // The verdict on the loaded test is a text made at evaluation: made anew, it
            // speaks the new language like every caption around it.
            EvaluateCapacity(state_);
        }
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
    const QSignalBlocker quiet(Cjazyk);
    Cjazyk->setCurrentIndex(state_.Settings.Language < Cjazyk->count() ? state_.Settings.Language : -1);
}

void TFnastaveni::LMDBuloz_hl_batClick()
{
    TIniFile ini = ProgramConfigFile();
    try {
        SaveRowCaptions(ini, state_.BatteryGrid);
    } catch (const VybitorError& e) {
        UserReport().Message(e.text());
    }
}

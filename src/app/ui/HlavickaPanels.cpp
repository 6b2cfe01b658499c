// The header panel and the result band of the main window, bound to the state's texts.
#include "app/ui/Hlavicka.h"

#include "app/ProgramState.h"
#include "app/SecondLineRule.h"
#include "evaluation/CapacityEvaluation.h"
#include "evaluation/HealthTexts.h"
#include "i18n/ui/TranslatableText.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

void Paint(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* ResultValue(QWidget* parent, const QString& name, const QColor& colour)
{
    auto* value = new QLabel(parent);
    value->setObjectName(name);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(140);
    value->setFrameShape(QFrame::StyledPanel);
    Paint(value, colour);
    return value;
}

QComboBox* EditableChoice(QWidget* parent, const QString& name)
{
    auto* choice = new QComboBox(parent);
    choice->setObjectName(name);
    choice->setEditable(true);
    // Enter keeps the typed text; the items are the battery-type list's, not the user's.
    choice->setInsertPolicy(QComboBox::NoInsert);
    return choice;
}

} // namespace

void TFmain::BuildHeaderPanel(QWidget* parent)
{
    Panel1 = new QWidget(parent);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Paint(Panel1, QColor(198, 234, 240));
    auto* grid = new QGridLayout(Panel1);
    const auto edit = [this](const char* name, QString TMainTexts::*text) {
        auto* field = new QLineEdit(Panel1);
        field->setObjectName(QString::fromLatin1(name));
        textFields_.push_back({field, text});
        connect(field, &QLineEdit::textChanged, this, [this, field, text](const QString& value) {
            state_.Texts.*text = value;
        });
        return field;
    };
    const auto label = [this](int id, const char* text) { return TranslatedLabel(QStringLiteral("Fmain"), id, text, Panel1); };

    Hcislo_mereni = edit("Hcislo_mereni", &TMainTexts::Hcislo_mereni);
    Hcislo_baterie = edit("Hcislo_baterie", &TMainTexts::Hcislo_baterie);
    Hlokalita = edit("Hlokalita", &TMainTexts::Hlokalita);
    Hzakazka = edit("Hzakazka", &TMainTexts::Hzakazka);
    Hmeril = edit("Hmeril", &TMainTexts::Hmeril);
    Hprovoz = edit("Hprovoz", &TMainTexts::Hprovoz);
    Hpoznamka = edit("Hpoznamka", &TMainTexts::Hpoznamka);
    Gtypbat = EditableChoice(Panel1, QStringLiteral("Gtypbat"));
    Gtypzk = EditableChoice(Panel1, QStringLiteral("Gtypzk"));
    // Names compare case-sensitively; a typed number is taken as typed (completing "60"
    // to an offered "600" would evaluate a duration nobody chose).
    Gtypbat->completer()->setCaseSensitivity(Qt::CaseSensitive);
    Gtypzk->setCompleter(nullptr);
    // Every change the user makes, chosen or typed, runs its handler; the program's own
    // changes (a shown test, a restore) come with the signals blocked.
    connect(Gtypbat, &QComboBox::currentTextChanged, this,
            [this](const QString& v) { RunChoiceHandler([&] { GtypbatChange(state_, v); }); });
    connect(Gtypzk, &QComboBox::currentTextChanged, this,
            [this](const QString& v) { RunChoiceHandler([&] { GtypzkChange(state_, v); }); });
    Lprovoz = label(49, "Za provozovatele");
    Lprovoz->setObjectName(QStringLiteral("Lprovoz"));

    auto* duration = new QHBoxLayout;
    duration->addWidget(Gtypzk, 1);
    duration->addWidget(label(47, "min"));
    grid->addWidget(label(41, "Číslo měření"), 0, 0);
    grid->addWidget(Hcislo_mereni, 0, 1);
    grid->addWidget(label(42, "Číslo baterie"), 0, 2);
    grid->addWidget(Hcislo_baterie, 0, 3);
    grid->addWidget(label(43, "Lokalita"), 1, 0);
    grid->addWidget(Hlokalita, 1, 1);
    grid->addWidget(label(44, "Zakázka"), 1, 2);
    grid->addWidget(Hzakazka, 1, 3);
    grid->addWidget(label(45, "Typ baterie"), 2, 0);
    grid->addWidget(Gtypbat, 2, 1);
    grid->addWidget(label(46, "Zkouška"), 2, 2);
    grid->addLayout(duration, 2, 3);
    grid->addWidget(label(48, "Měřil"), 3, 0);
    grid->addWidget(Hmeril, 3, 1);
    grid->addWidget(Lprovoz, 3, 2);
    grid->addWidget(Hprovoz, 3, 3);
    grid->addWidget(label(50, "Poznámka"), 4, 0);
    grid->addWidget(Hpoznamka, 4, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(Hlokalita, &QLineEdit::textChanged, this, [this] { ApplySecondLineRule(Hlokalita, HlokalitaLimit); });
    connect(Hmeril, &QLineEdit::textChanged, this, [this] { ApplySecondLineRule(Hmeril, HmerilLimit); });
    ApplySecondLineRule(Hlokalita, HlokalitaLimit);
    ApplySecondLineRule(Hmeril, HmerilLimit);
}

void TFmain::ApplySecondLineRule(QLineEdit* field, int limit)
{
    const TSecondLine rule = SecondLineRule(field->text(), limit);
    field->setToolTip(rule.ToolTip);
    // Text set by the program (a shown test) is kept whole; the limit binds typing.
    field->setMaxLength(std::max(rule.MaxLength, int(field->text().size())));
}

void TFmain::BuildResultBand(QWidget* parent)
{
    Panel3 = new QWidget(parent);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(85);
    Paint(Panel3, QColor(179, 225, 218));
    auto* grid = new QGridLayout(Panel3);
    grid->setVerticalSpacing(2);
    const QColor valueColour(203, 237, 234);
    const auto value = [&](const char* name, QString TMainTexts::*text, const QColor& colour) {
        QLabel* field = ResultValue(Panel3, QString::fromLatin1(name), colour);
        textLabels_.push_back({field, text});
        return field;
    };
    const auto label = [this](int id, const char* text) { return TranslatedLabel(QStringLiteral("Fmain"), id, text, Panel3); };

    Hdatum = value("Hdatum", &TMainTexts::Hdatum, valueColour);
    Hcas = value("Hcas", &TMainTexts::Hcas, valueColour);
    Hperioda = value("Hperioda", &TMainTexts::Hperioda, valueColour);
    Hvproud = value("Hvproud", &TMainTexts::Hvproud, valueColour);
    Hknap = value("Hknap", &TMainTexts::Hknap, valueColour);
    Hpocet_baterii = value("Hpocet_baterii", &TMainTexts::Hpocet_baterii, valueColour);
    Hstav = value("Hstav", &TMainTexts::Hstav, valueColour);
    Hdelka_testu = value("Hdelka_testu", &TMainTexts::Hdelka_testu, valueColour);
    Hkapacita = value("Hkapacita", &TMainTexts::Hkapacita, QColor(236, 196, 185));
    Lvproud = new QLabel(Panel3);
    Lvproud->setObjectName(QStringLiteral("Lvproud"));
    textLabels_.push_back({Lvproud, &TMainTexts::Lvproud});
    Lvzkap = new QLabel(Panel3);
    Lvzkap->setObjectName(QStringLiteral("Lvzkap"));
    textLabels_.push_back({Lvzkap, &TMainTexts::Lvzkap});

    const std::pair<QWidget*, QLabel*> rows[3][3] = {
        {{label(61, "Datum"), Hdatum}, {label(62, "Čas"), Hcas}, {label(63, "Perioda"), Hperioda}},
        {{Lvproud, Hvproud}, {label(64, "Konečné napětí"), Hknap}, {label(65, "Počet baterií"), Hpocet_baterii}},
        {{label(66, "Konec testu"), Hstav}, {label(67, "Délka testu"), Hdelka_testu}, {label(68, "Kapacita"), Hkapacita}}};
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) {
            grid->addWidget(rows[column][row].first, row, column * 3);
            grid->addWidget(rows[column][row].second, row, column * 3 + 1);
        }
    grid->addWidget(Lvzkap, 2, 8);
    grid->setColumnMinimumWidth(8, 40);
    // Shown only while the capacity is judged, so the band is unchanged without it.
    Hhodnoceni = new QLabel(Panel3);
    Hhodnoceni->setObjectName(QStringLiteral("Hhodnoceni"));
    Hhodnoceni->hide();
    grid->addWidget(Hhodnoceni, 2, 9);
}

void TFmain::ShowAcceptance()
{
    const QString& verdict = state_.Texts.Hhodnoceni;
    Hhodnoceni->setText(verdict);
    // Passed green, failed red, not judged grey.
    const QString colour = verdict == HealthText(THealthText::Accepted)   ? QStringLiteral("#006400")
                           : verdict == HealthText(THealthText::Rejected) ? QStringLiteral("#b00000")
                                                                           : QStringLiteral("#606060");
    Hhodnoceni->setStyleSheet(QStringLiteral("color: %1; font-weight: bold").arg(colour));
    Hhodnoceni->setVisible(!verdict.isEmpty());
}

void TFmain::RefreshTexts()
{
    setWindowTitle(state_.Texts.Caption);
    for (const TTextField& field : textFields_)
        if (field.edit->text() != state_.Texts.*field.text) {
            field.edit->setMaxLength(32767); // the second-line rule sets it again
            field.edit->setText(state_.Texts.*field.text);
        }
    for (const TTextLabel& field : textLabels_)
        field.label->setText(state_.Texts.*field.text);
    ShowAcceptance();
    // Set only when it differs: setting the same text moves the cursor of someone typing.
    const QSignalBlocker b1(Gtypbat), b2(Gtypzk);
    if (Gtypbat->currentText() != state_.Texts.Gtypbat)
        Gtypbat->setCurrentText(state_.Texts.Gtypbat);
    if (Gtypzk->currentText() != state_.Texts.Gtypzk)
        Gtypzk->setCurrentText(state_.Texts.Gtypzk);
}

#include "evaluation/HealthTexts.h"

#include "i18n/TranslationRegistry.h"
#include "model/LocaleFormat.h"

#include <utility>

namespace {
const QString Section = QStringLiteral("Fstav");

// clang-format off
const std::pair<THealthText, const char*> DesignTexts[] = {
    {THealthText::Accepted, "vyhovuje"},
    {THealthText::Rejected, "nevyhovuje"},
    {THealthText::NotJudged, "nelze hodnotit"},
    {THealthText::NotReached, "nedosáhla konečného napětí"},
    {THealthText::EndedEarly, "ukončila zkoušku předčasně"},
    {THealthText::LowVoltage, "nízké napětí na konci"},
    {THealthText::EndVoltageImplausible, "Konečné napětí baterie %1 V neodpovídá napětí baterií"},
    {THealthText::SumImplausible, "Součet napětí baterií neodpovídá celkovému napětí"},
    {THealthText::EndOfTest, "Zkoušku ukončila baterie %1; ostatní baterie mají kapacitu nejméně %2 %."},
    {THealthText::EvenLoss, "Kapacita řetězce pod prahem, žádná baterie se neodchyluje"},
    {THealthText::NoSamples, "Test nemá žádná měření."},
    {THealthText::NoTest, "Není načten žádný test."},
    {THealthText::ForecastReached, "dosaženo %1"},
    {THealthText::Weak, "slabá"},
    {THealthText::Title, "Stav baterií"},
    {THealthText::Print, "Tisk"},
    {THealthText::Pdf, "PDF"},
    {THealthText::PdfHint, "Uložit zprávu o stavu baterií jako PDF"},
    {THealthText::TestPage, "Zkouška"},
    {THealthText::TrendPage, "Trend"},
    {THealthText::ComparePage, "Porovnání"},
    {THealthText::Battery, "Baterie"},
    {THealthText::MinutesToEnd, "Čas do konečného napětí [min]"},
    {THealthText::VoltageAtEnd, "Napětí na konci [V]"},
    {THealthText::CapacityPct, "Kapacita [%]"},
    {THealthText::State, "Stav"},
    {THealthText::Summary, "Konečné napětí baterie %1 V   Kapacita řetězce %2 %   Odchylka %3 %   Slabé: %4 z %5"},
    {THealthText::TrendHint, "V archivu vyberte testy jedné sady baterií a stiskněte „Trend“."},
    {THealthText::Date, "Datum"},
    {THealthText::File, "Soubor"},
    {THealthText::WeakCount, "Slabé"},
    {THealthText::CompareButton, "Porovnej dva testy"},
    {THealthText::HeatHint, "Kapacita baterie v procentech; ≥ jen dolní mez (baterie nedosáhla konečného napětí); tučně s * slabá v tom testu"},
    {THealthText::First, "První [%]"},
    {THealthText::Last, "Poslední [%]"},
    {THealthText::Drop, "Pokles [%]"},
    {THealthText::TotalVoltage, "Celkové napětí"},
    {THealthText::BatteryNumber, "Baterie %1"},
    {THealthText::TestDate, "Datum zkoušky"},
    {THealthText::StringCapacity, "Kapacita řetězce [%]"},
    {THealthText::TimeMin, "Čas [min]"},
    {THealthText::VoltageV, "Napětí [V]"},
    {THealthText::LeftOut, "Vynechán %1: %2"},
    {THealthText::PickTwo, "Pro porovnání vyberte v seznamu testů právě dva testy."},
    {THealthText::Forecast, "Prognóza dosažení prahu %1 %: %2"},
    {THealthText::NoForecast, "Prognóza dosažení prahu %1 %: žádná (potřebuje dva testy s naměřenou kapacitou řetězce a klesající přímku)"},
    {THealthText::NoFallers, "Žádná baterie nemá naměřenou kapacitu ve dvou testech."},
    {THealthText::Threshold, "práh %1 %"},
    {THealthText::Median, "medián %1 %"},
    {THealthText::AtLeastBar, "nejméně (nedosáhla)"},
    {THealthText::Measured, "naměřeno"},
    {THealthText::TrendTitle, "Trend kapacity řetězce"},
    {THealthText::EndVoltage, "Konečné napětí baterie"},
    {THealthText::StringCapacityLine, "Kapacita řetězce"},
    {THealthText::WeakRule, "Slabá baterie"},
    {THealthText::WeakList, "Slabé baterie"},
    {THealthText::NoneWeak, "žádné"},
    {THealthText::ShortBattery, "Bat."},
    {THealthText::ShortMinutes, "Čas [min]"},
    {THealthText::ShortVoltage, "U [V]"},
    {THealthText::ShortCapacity, "Kap. [%]"},
    {THealthText::AtLeastNote, "— a ≥: baterie nedosáhla konečného napětí, její kapacita je nejméně kapacita řetězce"},
    {THealthText::Acceptance, "Hodnocení (%1 %):"},
    {THealthText::WeakRuleValue, "napětí o více než %1 % od mediánu (při dosažení konečného napětí nebo na konci)"},
};
// clang-format on

void RegisterOnce()
{
    static const bool registered = [] {
        for (const auto& [id, text] : DesignTexts)
            TTranslationRegistry::Instance().Register(Section, int(id), QString::fromUtf8(text), [](const QString&) {});
        return true;
    }();
    (void)registered;
}

} // namespace

QString HealthDesignText(THealthText id)
{
    for (const auto& [entry, text] : DesignTexts)
        if (entry == id)
            return QString::fromUtf8(text);
    return {};
}

QString HealthText(THealthText id)
{
    RegisterOnce();
    const QString text = TTranslationRegistry::Instance().CurrentText(Section, int(id));
    return text.isEmpty() ? HealthDesignText(id) : text;
}

QString HealthSummaryText(const TStringHealth& h, int weakCount)
{
    return HealthText(THealthText::Summary)
        .arg(FormatLocale("%.3f", h.BatteryEndVoltage), FormatLocale("%.1f", h.StringPct), FormatLocale("%g", h.Deviation))
        .arg(weakCount)
        .arg(h.Batteries.size());
}

QStringList HealthNotes(const TStringHealth& h)
{
    QStringList notes{EndVoltageImplausibleText(h), h.SumImplausible ? SumImplausibleText() : QString(), EndOfTestText(h),
                      EvenLossText(h)};
    notes.removeAll(QString());
    return notes;
}

QString BatteryStateText(const TBatteryHealth& b)
{
    QStringList marks;
    if (b.Weak)
        marks << HealthText(THealthText::Weak) + QStringLiteral(": ") + WeakReasonsText(b);
    if (!b.Reached)
        marks << HealthText(THealthText::NotReached);
    return marks.join(QStringLiteral(", "));
}

QString ForecastText(const TTrendForecast& f, double threshold, const QDate& today)
{
    const QString percent = FormatLocale("%g", threshold);
    return f.ThresholdDate ? HealthText(THealthText::Forecast).arg(percent, ForecastDateText(*f.ThresholdDate, today))
                           : HealthText(THealthText::NoForecast).arg(percent);
}

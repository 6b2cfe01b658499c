#include "i18n/MessageCatalogue.h"

#include "model/Errors.h"

#include <algorithm>

namespace {
struct DefaultEntry {
    const char* name;
    const char* text;
};

const DefaultEntry defaults[] = {
    {"char_proud", "Proud"},
    {"char_vykon", "Výkon"},
    {"Hl_error1", "Chyba čtení testů"},
    {"Hl_error2", "Číslo testu neplatné"},
    {"Hl_inp1", "Nové číslo testu"},
    {"Hl_inp2", "Číslo"},
    {"Hl_port", "Port %s nelze otevřít"},
    {"Hl_smazat", "Opravdu smazat?"},
    {"Lvchar", "Vybíjecí charakteristika"},
    {"Lvchar_proud", "Vybíjecí proud"},
    {"Lvchar_vykon", "Vybíjecí výkon"},
    {"Lvzkap", "Vztažná kapacita"},
    {"Lok_nic", "Není co ukládat"},
    {"Lok_prepsat", "Už existuje.  Přepsat?"},
    {"Lok_vloz", "Už existuje. Pro přepsání použij tlačítko Vlož"},
    {"Nast_error", "Chyba načtení nastavení testeru"},
    {"Preview_error", "Lze vybrat pouze 18 bat."},
    {"QRdata_titul", "Kapacitní zkouška baterií - data"},
    {"QRgraf_titul", "Kapacitní zkouška baterií"},
    {"QRgraf_x", "Čas zkoušky [min]"},
    {"QRgraf_y", "Napětí baterií [V]"},
    {"QRknap", "Konečné napětí"},
    {"Stav_nelze", "Kapacitu nelze vyhodnotit: chybí doba zkoušky nebo vybíjecí proud."},
    {"Status_0", "Výpadek"},
    {"Status_1", "Ukončen obsluhou"},
    {"Status_2", "Napětí baterie"},
    {"Status_3", "Celkové napětí"},
    {"Status_4", "Odepnutý stykač"},
    {"Status_5", "Timeout"},
    {"Status_x", "Neznámý"},
    {"Tbat", "Bat"},
    {"Tcisla_baterii", "Čísla baterií"},
    {"Teplota", "Teplota"},
    {"Tnapeti", "Napětí"},
    {"Tpocatecni_napeti", "Počáteční napětí"},
    {"Trend_bez_doby", "neznámá doba zkoušky"},
    {"Trend_bez_mereni", "test bez měření"},
    {"Trend_zaklad", "Textové soubory kapacitu neobsahují: každý test je vyhodnocen se seznamem typů baterií a "
                     "teplotní závislostí nastavenou nyní v hlavním okně (%s)."},
    {"TK_0", "Žádná"},
    {"TK_1", "Prumerná"},
    {"TK_2", "Pocátecní"},
};

bool lessName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; }
} // namespace

TMessageCatalogue::TMessageCatalogue()
{
    for (const auto& d : defaults) {
        const QString text = QString::fromUtf8(d.text);
        entries_.push_back({QString::fromLatin1(d.name), text, text});
    }
    std::sort(entries_.begin(), entries_.end(),
              [](const TMessageEntry& a, const TMessageEntry& b) { return lessName(a.Name, b.Name); });
}

TMessageCatalogue& TMessageCatalogue::Instance()
{
    static TMessageCatalogue catalogue;
    return catalogue;
}

TMessageEntry* TMessageCatalogue::Find(const QString& name)
{
    auto it = std::lower_bound(entries_.begin(), entries_.end(), name,
                               [](const TMessageEntry& e, const QString& n) { return lessName(e.Name, n); });
    if (it == entries_.end() || it->Name.compare(name, Qt::CaseInsensitive) != 0)
        return nullptr;
    return &*it;
}

QString TMessageCatalogue::Text(const QString& name) const
{
    const TMessageEntry* e = const_cast<TMessageCatalogue*>(this)->Find(name);
    if (!e)
        throw VybitorError(QStringLiteral("Constant \"%1\" not found").arg(name));
    return e->CurrentText;
}

void TMessageCatalogue::RestoreDefaults()
{
    for (auto& e : entries_)
        e.CurrentText = e.DefaultText;
}

QString MessageText(const QString& name) { return TMessageCatalogue::Instance().Text(name); }

QString EndReasonText(int endReason)
{
    return MessageText(endReason >= 0 && endReason <= 5 ? QStringLiteral("Status_%1").arg(endReason)
                                                        : QStringLiteral("Status_x"));
}

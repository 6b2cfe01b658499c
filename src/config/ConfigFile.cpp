#include "config/ConfigFile.h"

#include "app/ExePath.h"
#include "app/ProgramState.h"
#include "evaluation/BuiltInCompensation.h"
#include "model/LocaleFormat.h"

#include <algorithm>

namespace {

// An index of a fixed choice list; one outside the list is a bad value and gives 0.
int ReadChoice(const TIniFile& ini, const QString& section, const char* key, int itemCount)
{
    const int index = ini.ReadInteger(section, key, 0);
    return index >= 0 && index < itemCount ? index : 0;
}

// A stored count of numbered keys, at most `limit`: a damaged count such as 2147483647
// must not make the start read two billion keys.
int ReadCount(const TIniFile& ini, const char* key, int limit)
{
    return std::clamp(ini.ReadInteger(SectionNastaveni, key, 0), 0, limit);
}

// Far beyond any real table or archive; only a damaged file reaches them.
constexpr int MaxRowCaptions = 255;
constexpr int MaxArchiveFolders = 255;

QString Numbered(const char* key, int i)
{
    return QLatin1String(key) + QString::number(i);
}

void RestoreCompensationTables(const TIniFile& ini, TProgramState& state)
{
    const int count = std::clamp(ini.ReadInteger(SectionTempKomp, "Num_TK", 0), 0, MaxTempCompTables);
    auto& tables = state.TempCompTables;
    auto& names = state.Choices.TKbatItems;
    if (count == 0 && tables.empty())
        for (const TTempCompTable& table : BuiltInCompensationTables()) {
            tables.push_back(table);
            names.append(table.Name);
        }
    for (int i = 0; i < count; ++i) {
        TTempCompTable table;
        const QString nameKey = Numbered("NameTK", i);
        table.Name = ini.ReadString(SectionTempKomp, nameKey, nameKey);
        for (int j = 0; j < 7; ++j)
            table.Coef[j] = ini.ReadFloat(SectionTempKomp, QStringLiteral("Koef%1_%2").arg(i).arg(j), 0);
        if (i < int(tables.size())) {
            tables[i] = table;
            names[i] = table.Name;
        } else {
            tables.push_back(table);
            names.append(table.Name);
        }
    }
    const int selected = ini.ReadInteger(SectionTempKomp, "TKbat", 0);
    state.Choices.TKbat = names.isEmpty() ? -1 : (selected > int(names.size()) - 1 ? 0 : selected);
}

void RestoreRowCaptions(const TIniFile& ini, TTextGrid& grid)
{
    const int count = ReadCount(ini, "GRBAT_COUNT", MaxRowCaptions);
    if (count == 0) return;
    grid.SetRowCount(count + 1);
    for (int i = 1; i <= count; ++i) grid.SetCell(0, i, ini.ReadString(SectionNastaveni, Numbered("GRBAT", i), {}));
}

} // namespace

TIniFile ProgramConfigFile()
{
    return TIniFile(ConfigFilePath());
}

TMainWindowValues RestoreMainWindow(const TIniFile& ini, TProgramState& state)
{
    TMainWindowValues v;
    v.PanelFloating = ini.ReadBool(SectionTFmain, "TBXDockablePanel1_Floating", false);
    v.PanelX = ini.ReadInteger(SectionTFmain, "TBXDockablePanel1_fpx", 100);
    v.PanelY = ini.ReadInteger(SectionTFmain, "TBXDockablePanel1_fpy", 100);
    v.Ikony = ini.ReadInteger(SectionTFmain, "Ikony", 4);

    state.Choices.TKkapacita = ReadChoice(ini, SectionNastaveni, "TKkapacita", 2);
    state.LastDirectory = ini.ReadString(SectionNastaveni, "Directory", {});
    if (state.LastDirectory.isEmpty()) state.LastDirectory = DefaultTestFolder();
    state.Choices.TKtyp = ReadChoice(ini, SectionTempKomp, "TKtyp", 3);
    RestoreCompensationTables(ini, state);
    v.SettingsVisible = ini.ReadInteger(SectionTFnastaveni, "Visible", 0) == 1;
    RestoreRowCaptions(ini, state.BatteryGrid);
    state.PlacementRestored = true;
    emit state.ChoicesChanged();
    emit state.BatteryGridChanged();
    return v;
}

void SaveMainWindow(TIniFile& ini, const TProgramState& state, const TMainWindowValues& values)
{
    ini.WriteBool(SectionTFmain, "TBXDockablePanel1_Floating", values.PanelFloating);
    ini.WriteInteger(SectionTFmain, "TBXDockablePanel1_fpx", values.PanelX);
    ini.WriteInteger(SectionTFmain, "TBXDockablePanel1_fpy", values.PanelY);
    ini.WriteInteger(SectionTempKomp, "TKtyp", state.Choices.TKtyp);
    ini.WriteInteger(SectionTempKomp, "TKbat", state.Choices.TKbat);
    ini.WriteInteger(SectionNastaveni, "TKkapacita", state.Choices.TKkapacita);
    ini.WriteString(SectionNastaveni, "Directory", state.LastDirectory);
    ini.WriteInteger(SectionTFmain, "Ikony", values.Ikony);
}

namespace {
// Written only once they are no longer the defaults, so a program that never used them
// leaves ConfigFile exactly as before.
void SaveHealthSettings(TIniFile& ini, const THealthSettings& h)
{
    const THealthSettings defaults;
    if (!ini.SectionExists(SectionHealth) && h.Deviation == defaults.Deviation && h.Acceptance == defaults.Acceptance
        && h.AcceptanceThreshold == defaults.AcceptanceThreshold)
        return;
    ini.WriteString(SectionHealth, QStringLiteral("Odchylka"), FormatLocale("%g", h.Deviation));
    ini.WriteBool(SectionHealth, QStringLiteral("Hodnotit_kapacitu"), h.Acceptance);
    ini.WriteString(SectionHealth, QStringLiteral("Prah_kapacity"), FormatLocale("%g", h.AcceptanceThreshold));
}

// A share or threshold outside 0 … 100 % is a damaged value: the default stands.
double ReadPercent(const TIniFile& ini, const char* key, double def)
{
    const double value = ini.ReadFloat(SectionHealth, QLatin1String(key), def);
    return value >= 0 && value <= 100 ? value : def;
}
} // namespace

void ReadSettingsValues(const TIniFile& ini, TSettingsValues& s)
{
    const QString& sec = SectionTFnastaveni;
    s.Language = ini.ReadInteger(SectionNastaveni, "Jazyk", 0);
    s.TesterAddress = ini.ReadString(sec, "LMDEdit1_Text", QStringLiteral("127.0.0.1"));
    // Choice groups take an index below -1 as -1 (nothing chosen), above their last item as it.
    const auto choice = [&](const char* key, int last) {
        return std::clamp(ini.ReadInteger(sec, key, 0), -1, last);
    };
    // Nothing chosen (-1) is kept as it is; the link takes it as Ethernet.
    s.Link = choice("LMDRkomunikace_ItemIndex", 1);
    s.Provozovatel = ini.ReadBool(sec, "Provozovatel_Checked", false);
    s.TestName = choice("LMDRJmeno_testu_ItemIndex", 1);
    s.DataVersion = choice("LMDRvd", 1);
    s.AutBat = ini.ReadBool(sec, "Aut_bat", false);
    s.AutNap = ini.ReadBool(sec, "Aut_nap", false);
    s.DruhaKap = ini.ReadBool(sec, "Druha_kap", false);
    s.Health.Deviation = ReadPercent(ini, "Odchylka", THealthSettings{}.Deviation);
    s.Health.Acceptance = ini.ReadBool(SectionHealth, QStringLiteral("Hodnotit_kapacitu"), false);
    s.Health.AcceptanceThreshold = ReadPercent(ini, "Prah_kapacity", THealthSettings{}.AcceptanceThreshold);
    s.ArchiveFolders.clear();
    const int count = ReadCount(ini, "Archiv_count", MaxArchiveFolders);
    for (int i = 1; i <= count; ++i)
        s.ArchiveFolders.push_back({ini.ReadString(SectionNastaveni, Numbered("Arch_path", i), {}),
                                    ini.ReadString(SectionNastaveni, Numbered("Arch_sub", i), QStringLiteral("N")),
                                    ini.ReadString(SectionNastaveni, Numbered("Arch_name", i), {}).trimmed()});
}

void SaveSettingsValues(TIniFile& ini, const TSettingsValues& s)
{
    const QString& sec = SectionTFnastaveni;
    ini.WriteInteger(SectionNastaveni, "Jazyk", s.Language);
    ini.WriteString(sec, "LMDEdit1_Text", s.TesterAddress);
    ini.WriteInteger(sec, "LMDRkomunikace_ItemIndex", s.Link);
    ini.WriteBool(sec, "Provozovatel_Checked", s.Provozovatel);
    ini.WriteInteger(sec, "LMDRJmeno_testu_ItemIndex", s.TestName);
    ini.WriteInteger(sec, "LMDRvd", s.DataVersion);
    ini.WriteBool(sec, "Aut_bat", s.AutBat);
    ini.WriteBool(sec, "Aut_nap", s.AutNap);
    ini.WriteBool(sec, "Druha_kap", s.DruhaKap);
    int k = 0;
    for (const TArchiveFolder& folder : s.ArchiveFolders) {
        if (folder.Path.isEmpty()) continue;
        ++k;
        ini.WriteString(SectionNastaveni, Numbered("Arch_path", k), folder.Path);
        ini.WriteString(SectionNastaveni, Numbered("Arch_sub", k), folder.Subfolders);
        // The name moves with its folder when a row above is removed.
        if (!folder.Name.isEmpty() || !ini.ReadString(SectionNastaveni, Numbered("Arch_name", k), {}).isEmpty())
            ini.WriteString(SectionNastaveni, Numbered("Arch_name", k), folder.Name);
    }
    ini.WriteInteger(SectionNastaveni, "Archiv_count", k);
    SaveHealthSettings(ini, s.Health);
}

void SaveRowCaptions(TIniFile& ini, const TTextGrid& grid)
{
    TIniUpdate update(ini.FileName());
    const int stored = ReadCount(ini, "GRBAT_COUNT", MaxRowCaptions);
    for (int i = 1; i <= stored; ++i) ini.DeleteKey(SectionNastaveni, Numbered("GRBAT", i));
    ini.WriteInteger(SectionNastaveni, "GRBAT_COUNT", grid.RowCount() - 1);
    for (int i = 1; i < grid.RowCount(); ++i) ini.WriteString(SectionNastaveni, Numbered("GRBAT", i), grid.Cell(0, i));
    update.Commit();
}

#include "files/FileCompensationTable.h"

#include "app/ProgramState.h"

namespace {
int FindByName(const TTempCompTableList& tables, const QString& name)
{
    for (size_t i = 0; i < tables.size(); ++i)
        if (tables[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}
} // namespace

int MatchFileCompensationTable(TProgramState& state, const TTempCompTable& table)
{
    TTempCompTableList& tables = state.TempCompTables;
    TTempCompTable added = table;
    const int same = FindByName(tables, table.Name);
    if (same >= 0) {
        if (tables[size_t(same)].Coef == table.Coef)
            return same;
        added.Name += QStringLiteral("_1");
        // Opening the same file again must not add the same table once more each time.
        const int again = FindByName(tables, added.Name);
        if (again >= 0 && tables[size_t(again)].Coef == added.Coef)
            return again;
    }
    tables.push_back(added);
    state.Choices.TKbatItems << added.Name;
    return int(tables.size()) - 1;
}

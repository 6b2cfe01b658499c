#include "evaluation/BuiltInCompensation.h"

const TTempCompTableList& BuiltInCompensationTables()
{
    // Temperature factors of the rated duration around 20 °C (sixth power first): lead-acid
    // at the 10-hour and at the 1- to 3-hour rates, and pocket-plate NiCd, which also loses
    // capacity when warm.
    static const TTempCompTableList tables = {
        {QStringLiteral("Olovo 5-10 h"), {0, 0, 0, 0, 0, 0.006, 0.88}},
        {QStringLiteral("Olovo 1-3 h"), {0, 0, 0, 0, 0, 0.01, 0.8}},
        {QStringLiteral("NiCd"), {0, 0, 0, 0, -0.0001, 0.008, 0.88}},
    };
    return tables;
}

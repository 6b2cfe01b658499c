#include "app/SecondLineRule.h"

TSecondLine SecondLineRule(const QString& text, int limit)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {text, limit};
    // The line break is written LF then CR, as the printed report splits on it.
    return {text.left(comma) + QStringLiteral("\n\r") + text.mid(comma + 1),
            int(comma + 1) + limit};
}

#include "evaluation/AcceptanceVerdict.h"

#include "evaluation/HealthTexts.h"
#include "i18n/MessageCatalogue.h"

#include <cmath>

bool ShownAtLeast(double pct, double threshold)
{
    // The same rounding as the one-decimal text the user reads.
    return std::isfinite(pct) && QString::number(pct, 'f', 1).toDouble() >= threshold;
}

bool CapacityMeasured(int endReason) { return endReason == 2 || endReason == 3; }

TVerdict AcceptanceVerdict(double pct, double threshold, int endReason)
{
    if (ShownAtLeast(pct, threshold))
        return TVerdict::Passed;
    return CapacityMeasured(endReason) ? TVerdict::Failed : TVerdict::NotJudged;
}

QString VerdictText(TVerdict verdict, int endReason)
{
    switch (verdict) {
    case TVerdict::Passed:
        return HealthText(THealthText::Accepted);
    case TVerdict::Failed:
        return HealthText(THealthText::Rejected);
    case TVerdict::NotJudged:
        break;
    }
    return HealthText(THealthText::NotJudged) + QStringLiteral(" (") + EndReasonText(endReason).trimmed() + QLatin1Char(')');
}

#include "cli/CliBatteries.h"

#include "app/ProgramState.h"
#include "cli/CliArguments.h"
#include "model/TestRecord.h"

#include <QRegularExpression>
#include <algorithm>

namespace {
const QString AllText = QStringLiteral("all"), LowestText = QStringLiteral("12min"), HighestText = QStringLiteral("12max");
} // namespace

QString ParseBatteryPositions(const QString& text, std::vector<int>* positions)
{
    if (text == AllText || text == LowestText || text == HighestText)
        return {};
    static const QRegularExpression item(QStringLiteral("^(\\d+)(?:-(\\d+))?$"));
    std::vector<int> found;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QRegularExpressionMatch m = item.match(part);
        if (!m.hasMatch())
            return QStringLiteral("\"%1\" is no position; give all, 12min, 12max or positions such as 1,5,7-9").arg(part);
        const int first = m.captured(1).toInt();
        const int last = m.hasCaptured(2) ? m.captured(2).toInt() : first;
        if (first < 1 || last > MaxBatteries || last < first)
            return QStringLiteral("\"%1\" is not a range of positions 1 to %2").arg(part).arg(MaxBatteries);
        for (int p = first; p <= last; ++p)
            found.push_back(p);
    }
    if (positions)
        *positions = std::move(found);
    return {};
}

QString BatteryPositionsBeyond(const QString& text, int batteryCount)
{
    std::vector<int> positions;
    ParseBatteryPositions(text, &positions);
    const auto beyond = std::find_if(positions.begin(), positions.end(), [=](int p) { return p > batteryCount; });
    if (beyond == positions.end())
        return {};
    return QStringLiteral("--batteries %1: the test has no battery %2, only 1 to %3").arg(text).arg(*beyond).arg(batteryCount);
}

void ChooseReportBatteries(const QString& text, TProgramState& state)
{
    const TTestRecord& record = state.Record();
    TGraphSelection& graph = state.Graph;
    if (text == AllText) {
        graph.SelectAll(record);
    } else if (text == LowestText || text == HighestText) {
        // Below 13 batteries the window hides these buttons: all batteries stay, and they are the 12 asked for.
        graph.SelectExtremes(record, text == LowestText);
    } else {
        const QString beyond = BatteryPositionsBeyond(text, graph.BatteryCount());
        if (!beyond.isEmpty())
            throw TCliUsageError{beyond};
        std::vector<int> positions;
        ParseBatteryPositions(text, &positions);
        std::vector<int> columns;
        for (int p : positions)
            columns.push_back(p - 1);
        graph.SelectColumns(record, columns);
    }
}

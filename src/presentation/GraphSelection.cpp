#include "presentation/GraphSelection.h"

#include <algorithm>
#include <cmath>

int RoundHalfEven(double value)
{
    return int(std::nearbyint(value)); // default rounding mode: to nearest, ties to even
}

QColor RandomBatteryColour(QRandomGenerator& random)
{
    int rgb[3];
    for (int& c : rgb)
        c = int(random.bounded(256));
    if (rgb[0] + rgb[1] + rgb[2] == 750)
        rgb[random.bounded(3)] = 40 * int(random.bounded(4)) + 50;
    return QColor(rgb[0], rgb[1], rgb[2]);
}

namespace {
constexpr double NarrowCurveSpan = 2.0; // volts; narrower curves get an axis in tenths
} // namespace

TAxisRange FixedAxis(double smallest, double largest)
{
    if (largest - smallest >= NarrowCurveSpan)
        return {double(RoundHalfEven(smallest - 0.5)), double(RoundHalfEven(largest + 0.5))};
    // Whole volts would flatten the curves of 2 V cells into a band: the axis is in tenths,
    // the nearest tenth of each end widened by one more (at least 0.05 V beside the curves).
    return {(std::round(smallest * 10) - 1) / 10, (std::round(largest * 10) + 1) / 10};
}

void TGraphSelection::Build(const TTestRecord& record, QRandomGenerator& random)
{
    const int n = record.RunInfo.BatteryCount;
    Checked.assign(n, true);
    Colours.clear();
    for (int k = 0; k < n; ++k)
        Colours.push_back(RandomBatteryColour(random));
    Multi = true;
    UCelkove = false;
    double largest = 0, smallest = 1000;
    for (int r = 0; r < record.RowCount; ++r)
        for (int k = 0; k < n; ++k) {
            largest = std::max(largest, double(record.Rows[r].Voltages[k]));
            smallest = std::min(smallest, double(record.Rows[r].Voltages[k]));
        }
    if (smallest == 1000) // no battery point: round(0 - 0.5) to round(0 + 0.5)
        Axis = {0, 0};
    else
        Axis = FixedAxis(smallest, largest);
}

void TGraphSelection::Refresh(const TTestRecord& record)
{
    bool any = false;
    double largest = 0, smallest = 0;
    auto take = [&](double v) {
        if (!any) {
            largest = smallest = v;
            any = true;
        }
        largest = std::max(largest, v);
        smallest = std::min(smallest, v);
    };
    for (int r = 0; r < record.RowCount; ++r) {
        const TMeasurementRow& row = record.Rows[r];
        for (int k = 0; k < BatteryCount(); ++k)
            if (Checked[k])
                take(row.Voltages[k]);
        if (UCelkove)
            take(row.TotalVoltage);
    }
    if (any) // with no curve on there is no automatic range; the axis stays
        Axis = FixedAxis(smallest, largest);
}

void TGraphSelection::SelectExtremes(const TTestRecord& record, bool lowest)
{
    if (!ExtremesVisible())
        return;
    struct Slot {
        double Voltage;
        int Column;
    };
    std::vector<Slot> places(ExtremeCount, Slot{lowest ? 1000.0 : 0.0, 0});
    const TMeasurementRow* last = record.RowCount > 0 ? &record.Rows[record.RowCount - 1] : nullptr;
    for (int b = 0; b < BatteryCount(); ++b) {
        const double v = last ? last->Voltages[b] : 0.0;
        auto it = std::find_if(places.begin(), places.end(), [&](const Slot& s) {
            return lowest ? s.Voltage >= v : s.Voltage <= v;
        });
        if (it == places.end())
            continue;
        places.insert(it, Slot{v, b});
        places.pop_back();
    }
    std::vector<int> columns;
    for (const Slot& s : places)
        columns.push_back(s.Column);
    SelectColumns(record, columns);
}

void TGraphSelection::SelectColumns(const TTestRecord& record, const std::vector<int>& columns)
{
    Multi = true;
    std::fill(Checked.begin(), Checked.end(), false);
    for (int k : columns)
        if (k >= 0 && k < BatteryCount())
            Checked[k] = true;
    Refresh(record);
}

void TGraphSelection::SelectAll(const TTestRecord& record)
{
    Multi = true;
    std::fill(Checked.begin(), Checked.end(), true);
    Refresh(record);
}

void TGraphSelection::Click(int k)
{
    if (k < 0 || k >= BatteryCount())
        return;
    if (Multi) {
        Checked[k] = !Checked[k];
        return;
    }
    std::fill(Checked.begin(), Checked.end(), false);
    Checked[k] = true;
}

int TGraphSelection::CheckedCount() const
{
    return int(std::count(Checked.begin(), Checked.end(), true));
}

QString TGraphSelection::SeriesTitle(int k, const QString& prefix) const
{
    if (!Sada)
        return prefix + QString::number(k + 1);
    int m = 1;
    for (int j = 0; j < k; ++j)
        m += Checked[j] ? 1 : 0;
    return prefix + QString::number(m);
}

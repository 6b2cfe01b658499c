#include "files/SampleLine.h"

#include "model/LocaleFormat.h"
#include "model/TestRecord.h"

#include <charconv>
#include <cstdint>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The TAB-separated fields of a line, one after the other.
class TFields {
public:
    explicit TFields(QByteArrayView line) : rest_(line) {}
    bool Next(QByteArrayView& field)
    {
        if (done_)
            return false;
        const qsizetype tab = rest_.indexOf('\t');
        if (tab < 0) {
            field = rest_;
            done_ = true;
        } else {
            field = rest_.first(tab);
            rest_ = rest_.sliced(tab + 1);
        }
        return true;
    }

private:
    QByteArrayView rest_;
    bool done_ = false;
};

bool IntegerOf(QByteArrayView text, long long low, long long high, long long& value)
{
    const QByteArrayView t = text.trimmed();
    const qsizetype signs = !t.isEmpty() && (t.front() == '+' || t.front() == '-') ? 1 : 0;
    if (t.size() <= signs || t.size() > 18 || !IsDigit(t[signs]))
        return false;
    const char* end = t.data() + t.size();
    const auto [stop, error] = std::from_chars(t.data() + (t.front() == '+' ? 1 : 0), end, value);
    return error == std::errc() && stop == end && value >= low && value <= high;
}

// Either separator: the general reader turns the other one into the locale's.
bool DecimalOf(QByteArrayView text, float& value)
{
    const QByteArrayView t = text.trimmed();
    double v = 0;
    if (!ParseDecimalChars(std::string_view(t.data(), size_t(t.size())), ".,", v))
        return false;
    value = float(v);
    return true;
}

} // namespace

bool ReadSampleLine(QByteArrayView line, int index, const TSampleLayout& layout, TMeasurementRow& row)
{
    TFields fields(line);
    QByteArrayView field;
    long long first = 0;
    // The first field must be a number even where its value is not used: a line labelled
    // like the head's lines is read by the general reader.
    if (!fields.Next(field) || !IntegerOf(field, INT32_MIN, INT32_MAX, first))
        return false;
    if (layout.FullFormat)
        row.ElapsedSeconds = int32_t(first);
    else if (index < 2) // sample numbers from 1; the first two samples are both at 0
        row.ElapsedSeconds = 0;
    else if (first < 1 || first > INT32_MAX / 256)
        return false;
    else
        row.ElapsedSeconds = int32_t((first - 1) * layout.Period);
    // The row is packed: values go through a local, never through a pointer into it.
    float value = 0;
    const auto next = [&] { return fields.Next(field) && DecimalOf(field, value); };
    if (!next())
        return false;
    row.CurrentA = value;
    row.CurrentB = 0;
    if (!next())
        return false;
    row.TotalVoltage = value;
    if (!next())
        return false;
    row.Temperature = value;
    for (int k = 0; k < layout.Batteries; ++k) {
        if (!next())
            return false;
        row.Voltages[k] = value;
    }
    return true;
}

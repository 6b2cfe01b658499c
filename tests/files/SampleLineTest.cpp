// The byte reader of sample lines against the general reader (decode, split, separator
// adjustment, field conversions): wherever the byte reader takes a line it must give what
// the general reader gives, and it must refuse every line the general reader refuses.
#include "files/FieldLine.h"
#include "files/SampleLine.h"
#include "files/TextFieldValues.h"

#include "model/Errors.h"
#include "model/TestRecord.h"
#include "support/LocaleScope.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// What the general reader makes of one sample line, or nothing where it refuses it.
std::optional<TMeasurementRow> GeneralReading(const QByteArray& line, int index, const TSampleLayout& layout)
{
    QStringList f;
    SplitFieldLine(line, f);
    TMeasurementRow row{};
    try {
        if (layout.FullFormat)
            row.ElapsedSeconds = IntField(f.value(0), INT32_MIN, INT32_MAX, "time");
        else if (index >= 2)
            row.ElapsedSeconds = (IntField(f.value(0), 1, INT32_MAX / 256, "sample number") - 1) * layout.Period;
        row.CurrentA = float(FloatField(f.value(1)));
        row.TotalVoltage = float(FloatField(f.value(2)));
        row.Temperature = float(FloatField(f.value(3)));
        for (int k = 0; k < layout.Batteries; ++k)
            row.Voltages[k] = float(FloatField(f.value(4 + k)));
    } catch (const VybitorError&) {
        return std::nullopt;
    }
    return row;
}

bool SameRow(const TMeasurementRow& a, const TMeasurementRow& b, int batteries)
{
    bool same = a.ElapsedSeconds == b.ElapsedSeconds && a.CurrentA == b.CurrentA && a.CurrentB == 0
        && a.TotalVoltage == b.TotalVoltage && a.Temperature == b.Temperature;
    for (int k = 0; k < batteries; ++k)
        same = same && a.Voltages[k] == b.Voltages[k];
    return same;
}

const char* const FirstFields[] = {"0", "10", "+7", "-3", " 5 ", "1", "x", "", "Datum", "2147483647", "2147483648",
                                   "8388607", "8388608", "007", "+-5", "99999999999999999999"};
const char* const Values[] = {"12,5", "12.5", " 3 ", "+4.25", "-0,5", "1e3", "2,5E-1", "13.00", "0", "-0",
                              "", "1,2.3", "abc", "+-5", "\xA0" "7,5", "1e400", "1e-400", "-", ".5", "5.", ",",
                              "0x10", "  ", "1 2", "12,5\r", "1e", "1e+", "nan", "inf",
                              "1234567890123456789012345678901234567890123456789012345678901234"};

QByteArray RandomLine(std::mt19937& rng, int fields)
{
    const auto pick = [&rng](const auto& list) {
        return list[std::uniform_int_distribution<size_t>(0, std::size(list) - 1)(rng)];
    };
    QByteArray line = pick(FirstFields);
    for (int i = 1; i < fields; ++i)
        line += QByteArray("\t") + pick(Values);
    return line;
}

QByteArray GoodLine(int batteries)
{
    QByteArray line = "20\t25,0\t48.0\t21.5";
    for (int k = 0; k < batteries; ++k)
        line += k % 2 ? "\t12,00" : "\t 11.9 ";
    return line;
}

bool FirstFieldIsInteger(const QByteArray& line)
{
    bool ok = false;
    const qlonglong v = QString::fromLatin1(line.split('\t').front()).trimmed().toLongLong(&ok);
    return ok && v >= INT32_MIN && v <= INT32_MAX;
}

} // namespace

TEST(SampleLine, ByteReaderAgreesWithTheGeneralReader)
{
    std::mt19937 rng(20081203);
    for (const char* locale : {"cs_CZ", "en_US"}) {
        LocaleScope scope(locale);
        int taken = 0;
        for (int n = 0; n < 20000; ++n) {
            const TSampleLayout layout{n % 3 != 0, 10, int(rng() % 4)};
            const int index = int(rng() % 4);
            // A third of good lines, so that both readers take a fair share; the rest mixes
            // good and bad values, with a field too few or too many now and then.
            const int fields = 4 + layout.Batteries + int(rng() % 3) - 1;
            const QByteArray line = rng() % 3 == 0 ? GoodLine(layout.Batteries) : RandomLine(rng, fields);
            const std::optional<TMeasurementRow> expected = GeneralReading(line, index, layout);
            TMeasurementRow row{};
            if (ReadSampleLine(line, index, layout, row)) {
                ++taken;
                ASSERT_TRUE(expected) << locale << ": took a line the general reader refuses: " << line.toStdString();
                ASSERT_TRUE(SameRow(row, *expected, layout.Batteries)) << locale << ": " << line.toStdString();
                continue;
            }
            // The byte reader leaves 8-bit text to the general one, and wants a number in
            // the first field even where the short format does not read it.
            const bool ascii = std::all_of(line.begin(), line.end(), [](char c) { return uchar(c) < 0x80; });
            const bool firstUnread = !layout.FullFormat && index < 2;
            if (expected && ascii && (!firstUnread || FirstFieldIsInteger(line)))
                ADD_FAILURE() << locale << ": refused a line the general reader takes: " << line.toStdString();
        }
        EXPECT_GT(taken, 4000) << locale;
    }
}

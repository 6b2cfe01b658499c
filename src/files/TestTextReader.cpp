#include "files/TestTextReader.h"

#include "files/FieldLine.h"
#include "files/SampleLine.h"
#include "files/TextFieldValues.h"
#include "model/CodePage.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

#include <QDir>

namespace {

// The lines of the file in order, with the number of the line last read.
class TLineSource {
public:
    explicit TLineSource(const QByteArray& bytes) : bytes_(bytes) {}
    // The next line of the head; a file ending here is damaged. A line that holds a text
    // (locality, job, date, name) keeps its dots and commas under any caption, also one
    // saved in another language.
    const QStringList& Next(bool keepSeparators = false)
    {
        if (AtEnd()) {
            ++line_;
            throw VybitorError(QStringLiteral("the file ends before its data block"));
        }
        return FieldsOf(NextBytes(), keepSeparators);
    }
    const QStringList& NextText() { return Next(true); }
    const QStringList& NextOrEnd() { return FieldsOf(NextBytes()); }
    // The next line's bytes without its line end.
    QByteArrayView NextBytes()
    {
        const qsizetype start = pos_;
        qsizetype end = bytes_.indexOf('\n', start);
        pos_ = end < 0 ? bytes_.size() : end + 1;
        if (end < 0)
            end = bytes_.size();
        if (end > start && bytes_[end - 1] == '\r')
            --end;
        ++line_;
        return QByteArrayView(bytes_).sliced(start, end - start);
    }
    const QStringList& FieldsOf(QByteArrayView line, bool keepSeparators = false)
    {
        SplitFieldLine(line, fields_, keepSeparators);
        return fields_;
    }
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // Only line ends and blanks follow.
    bool RestIsBlank() const
    {
        for (qsizetype i = pos_; i < bytes_.size(); ++i)
            if (!QChar::isSpace(uchar(bytes_[i])))
                return false;
        return true;
    }
    int Line() const { return line_; }

private:
    const QByteArray& bytes_;
    qsizetype pos_ = 0;
    QStringList fields_;
    int line_ = 0;
};

QString Field(const QStringList& fields, int i) { return fields.value(i); }

bool IsBlankLine(const QStringList& fields)
{
    for (const QString& f : fields)
        if (!f.trimmed().isEmpty())
            return false;
    return true;
}

void ReadHead(TLineSource& in, TTestTextContent& c)
{
    TTestRecord& r = *c.Record;
    TTestHeader& h = r.Header;
    const QStringList* f = &in.Next();
    if (Field(*f, 0) == QStringLiteral("Verze"))
        f = &in.Next();
    c.MeasurementNumber = Field(*f, 1);
    h.TestNumber = 0; // the text just read stays when the test is shown
    SetFieldText(h.BatteryId, Field(*f, 2));
    SetFieldText(h.Locality, Field(in.NextText(), 1));
    c.Job = Field(in.NextText(), 1);

    const QDate date = DecodeDotDate(Field(in.NextText(), 1));
    f = &in.Next();
    r.RunInfo.StartTime = TesterSeconds(date, TimeOfDayField(Field(*f, 1)));
    c.BatteryTableRows = Field(*f, 2).isEmpty() ? 4 : IntField(Field(*f, 2), 0, 1000000, "number of battery table rows");

    h.DischargeValue = float(FloatField(Field(in.Next(), 1)));
    h.EndVoltage = float(FloatField(Field(in.Next(), 1)));
    h.PowerMode = Field(in.Next(), 1) == QStringLiteral("W") ? 1 : 0;
}

void ReadCompensation(TLineSource& in, TTestTextContent& c)
{
    const QStringList& f = in.Next();
    SetFieldText(c.Record->Header.BatteryType, Field(f, 1));
    c.FullFormat = !Field(f, 2).isEmpty();
    if (!c.FullFormat)
        return;
    c.CompensationMode = IntField(Field(f, 2), 0, 2, "compensation mode");
    if (*c.CompensationMode == 0)
        return;
    bool anyTable = false;
    for (int i = 3; i <= 10; ++i)
        anyTable = anyTable || !Field(f, i).isEmpty();
    if (!anyTable) // saved while no table was selected
        return;
    TTempCompTable table;
    table.Name = Field(f, 3);
    for (int i = 0; i < 7; ++i)
        table.Coef[size_t(i)] = FloatField(Field(f, 4 + i));
    c.CompensationTable = table;
}

void ReadBatteryTable(TLineSource& in, TTestTextContent& c)
{
    c.BatteryRows.reserve(size_t(c.BatteryTableRows));
    for (int row = 0; row < c.BatteryTableRows; ++row) {
        const QStringList& f = in.Next();
        QStringList cells;
        for (const QString& cell : f) {
            if (cell.isEmpty())
                break;
            cells << cell;
        }
        c.BatteryRows.push_back(cells);
    }
}

void ReadTrailer(TLineSource& in, TTestTextContent& c)
{
    TTestRecord& r = *c.Record;
    c.Note = Field(in.Next(), 1);

    const QStringList& kind = in.Next();
    r.Header.TestMinutes = uint16_t(IntField(Field(kind, 1).section(QLatin1Char(';'), 0, 0), 0, 65535, "test duration"));
    if (!Field(kind, 2).isEmpty())
        c.CapacityUnit = IntField(Field(kind, 2), 0, 1, "capacity unit");

    const QStringList& period = in.Next();
    r.Header.Period = uint8_t(IntField(Field(period, 1), 0, 255, "period"));
    r.RunInfo.EndReason = Field(period, 2).isEmpty() ? 1 : uint8_t(IntField(Field(period, 2), 0, 255, "end reason"));

    SetFieldText(r.Header.MeasuredBy, Field(in.NextText(), 1));

    const QStringList& next = in.Next();
    if (!Field(next, 0).isEmpty()) {
        c.Operator = Field(next, 1);
        in.Next(); // the empty line
    }
}

void ReadBatteryNumbers(TLineSource& in, TTestTextContent& c)
{
    in.Next(); // titles
    const QStringList& f = in.Next();
    if (c.FullFormat) {
        TTestRecord& r = *c.Record;
        int n = 0;
        for (int i = 4; i < f.size() && !f[i].isEmpty(); ++i) {
            if (n == MaxBatteries)
                throw VybitorError(QStringLiteral("more than %1 battery columns").arg(MaxBatteries));
            r.BatteryNumbers[n++] = uint8_t(IntField(f[i], 1, MaxBatteries, "battery number"));
        }
        r.RunInfo.BatteryCount = uint8_t(n);
    }
    in.Next(); // rule
}

// Short format: no battery numbers in the head; the columns of the first sample count.
void CountShortFormatBatteries(const QStringList& f, TTestRecord& r)
{
    int n = 0;
    for (int i = 4; i < f.size(); ++i)
        if (!f[i].isEmpty())
            ++n;
    if (n > MaxBatteries)
        throw VybitorError(QStringLiteral("more than %1 battery columns").arg(MaxBatteries));
    for (int k = 0; k < n; ++k)
        r.BatteryNumbers[k] = uint8_t(k + 1);
    r.RunInfo.BatteryCount = uint8_t(n);
}

void ReadSample(const QStringList& f, int i, const TTestTextContent& c, TMeasurementRow& row)
{
    const TTestRecord& r = *c.Record;
    if (c.FullFormat)
        row.ElapsedSeconds = IntField(Field(f, 0), INT32_MIN, INT32_MAX, "time");
    else if (i < 2) // sample numbers from 1; the first two samples are both at 0
        row.ElapsedSeconds = 0;
    else
        row.ElapsedSeconds = (IntField(Field(f, 0), 1, INT32_MAX / 256, "sample number") - 1) * r.Header.Period;
    row.CurrentA = float(FloatField(Field(f, 1)));
    row.CurrentB = 0;
    row.TotalVoltage = float(FloatField(Field(f, 2)));
    row.Temperature = float(FloatField(Field(f, 3)));
    for (int k = 0; k < r.RunInfo.BatteryCount; ++k)
        row.Voltages[k] = float(FloatField(Field(f, 4 + k)));
}

void ReadSamples(TLineSource& in, TTestTextContent& c)
{
    TTestRecord& r = *c.Record;
    // Lines of plain numbers are read from their bytes; any other line (the first of the
    // short format, which sets the battery count, and every line the byte reader refuses)
    // goes through the general reader, which also words the errors.
    const QChar sep = DecimalSeparator();
    const bool bytesReadable = sep == QLatin1Char('.') || sep == QLatin1Char(',');
    int rows = 0;
    while (!in.AtEnd()) {
        const QByteArrayView line = in.NextBytes();
        if (bytesReadable && rows < MaxRows && (rows > 0 || c.FullFormat)
            && ReadSampleLine(line, rows, {c.FullFormat, r.Header.Period, r.RunInfo.BatteryCount}, r.Rows[rows])) {
            ++c.SampleLines;
            ++rows;
            continue;
        }
        const QStringList& f = in.FieldsOf(line);
        if (IsBlankLine(f)) {
            if (in.RestIsBlank()) // files edited by hand often end so
                break;
            throw VybitorError(QStringLiteral("an empty line among the samples"));
        }
        ++c.SampleLines;
        if (rows == MaxRows)
            continue; // counted for the message, not read
        if (rows == 0 && !c.FullFormat)
            CountShortFormatBatteries(f, r);
        ReadSample(f, rows, c, r.Rows[rows]);
        ++rows;
    }
    r.RowCount = rows;
    // A last sample above the end voltage was taken after the test ended: it gets the time
    // of the sample before it, so it adds nothing to the capacity or the test length.
    if (rows >= 2 && r.Rows[rows - 1].TotalVoltage > r.Header.EndVoltage)
        r.Rows[rows - 1].ElapsedSeconds = r.Rows[rows - 2].ElapsedSeconds;
}

} // namespace

TTestTextContent ReadTestText(const QByteArray& bytes, const QString& path)
{
    TTestTextContent c;
    c.Record = std::make_unique<TTestRecord>();
    ClearRecord(*c.Record);
    TLineSource in(bytes);
    try {
        ReadHead(in, c);
        ReadCompensation(in, c);
        ReadBatteryTable(in, c);
        ReadTrailer(in, c);
        ReadBatteryNumbers(in, c);
        ReadSamples(in, c);
    } catch (const VybitorError& e) {
        throw VybitorError(QStringLiteral("\"%1\", line %2: %3").arg(QDir::toNativeSeparators(path)).arg(in.Line()).arg(e.text()));
    }
    return c;
}

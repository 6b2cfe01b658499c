// Writing the test text file.
#include "files/TestTextFile.h"

#include "app/ProgramState.h"
#include "evaluation/MeasurementTable.h"
#include "files/FieldLine.h"
#include "files/WholeFile.h"
#include "i18n/MessageCatalogue.h"
#include "model/CodePage.h"
#include "model/LocaleFormat.h"

namespace {

const QString Tab = QStringLiteral("\t");
const QString LineEnd = QStringLiteral("\r\n");

// The format has no quoting: a TAB or line break typed into a field would shift every
// field after it, so they are written as blanks.
QString FieldOf(const QString& text)
{
    QString field = text;
    for (QChar& c : field)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return field;
}

class TLineWriter {
public:
    void Line(std::initializer_list<QString> fields)
    {
        bool first = true;
        for (const QString& f : fields) {
            if (!first)
                text_ += Tab;
            text_ += FieldOf(f);
            first = false;
        }
        text_ += LineEnd;
    }
    void Raw(const QString& line) { text_ += line + LineEnd; }
    QString& Text() { return text_; }

private:
    QString text_;
};

QString Number(long long v) { return QString::number(v); }

void WriteCompensationLine(TLineWriter& out, const TProgramState& state)
{
    const TEvaluationChoices& c = state.Choices;
    const QString head = FieldOf(state.Captions.Ltypbat) + Tab + FieldOf(state.Texts.Gtypbat) + Tab + Number(c.TKtyp);
    const bool tableSelected = c.TKbat >= 0 && c.TKbat < int(state.TempCompTables.size());
    // Without a selected table the evaluation used K = 1; writing no table keeps the file
    // readable (a name without its seven coefficients could not be read back).
    if (c.TKtyp <= 0 || !tableSelected) {
        out.Raw(head);
        return;
    }
    const TTempCompTable& table = state.TempCompTables[size_t(c.TKbat)];
    QString line = head + Tab + FieldOf(table.Name);
    for (double coef : table.Coef)
        line += Tab + FormatLocale("%.15g", coef);
    out.Raw(line);
}

void WriteHeader(TLineWriter& out, const TProgramState& state)
{
    const TMainCaptions& l = state.Captions;
    const TMainTexts& t = state.Texts;
    const TTestRecord& r = state.Record();
    const QDateTime start = TesterDateTime(r.RunInfo.StartTime);
    out.Line({l.Lcislo_mereni, t.Hcislo_mereni, t.Hcislo_baterie});
    out.Line({l.Llokalita, t.Hlokalita});
    out.Line({l.Lzakazka, t.Hzakazka});
    out.Line({l.Ldatum, EncodeDotDate(start.date())});
    out.Line({l.Lcas, LongTimeText(start.time()), Number(state.BatteryGrid.RowCount() - 1)});
    out.Line({t.Lvproud, FormatLocale("%6.1f", r.Header.DischargeValue)});
    out.Line({l.Lknap, FormatLocale("%6.1f", r.Header.EndVoltage)});
    out.Line({MessageText(QStringLiteral("Lvchar")), r.Header.PowerMode == 0 ? QStringLiteral("I") : QStringLiteral("W")});
    WriteCompensationLine(out, state);

    const TTextGrid& grid = state.BatteryGrid;
    for (int row = 1; row < grid.RowCount(); ++row) {
        QString line;
        for (int col = 0; col < grid.ColCount(); ++col)
            line += FieldOf(grid.Cell(col, row)) + Tab;
        out.Raw(line);
    }

    out.Line({l.Lpoznamka, t.Hpoznamka});
    out.Line({l.Lzkouska, t.Gtypzk, Number(state.Choices.TKkapacita)});
    out.Line({l.Lperioda, Number(r.Header.Period), Number(r.RunInfo.EndReason)});
    out.Line({l.Lmeril, t.Hmeril});
    if (state.Settings.Provozovatel) // Hprovoz is visible exactly then
        out.Line({l.Lprovoz, t.Hprovoz});
    out.Raw(QString());
}

void WriteDataBlock(TLineWriter& out, const TTestRecord& r)
{
    const int batteries = r.RunInfo.BatteryCount;
    QString titles, numbers;
    for (int col = 1; col < MeasurementFixedColumns; ++col) {
        const QString title = FieldOf(MeasurementCellText(r, col, 0));
        titles += title + Tab;
        numbers += QString(title.size(), QLatin1Char(' ')) + Tab;
    }
    const QString bat = FieldOf(MessageText(QStringLiteral("Tbat")));
    for (int k = 0; k < batteries; ++k) {
        titles += (k > 0 ? Tab : QString()) + bat;
        numbers += Number(r.BatteryNumbers[k]) + Tab;
    }
    out.Raw(titles);
    out.Raw(numbers);
    out.Raw(QString(titles.size(), QLatin1Char('-')));

    // The sample lines are the data window's cells without its row-number column. A test
    // without samples writes none (the window's one empty row is no sample).
    QString& text = out.Text();
    const int columns = MeasurementColCount(r);
    for (int row = 1; row <= r.RowCount; ++row) {
        for (int col = 1; col < columns; ++col) {
            if (col > 1)
                text += Tab;
            text += MeasurementCellText(r, col, row);
        }
        text += LineEnd;
    }
}

} // namespace

QByteArray TestTextFileBytes(const TProgramState& state)
{
    TLineWriter out;
    WriteHeader(out, state);
    WriteDataBlock(out, state.Record());
    return EncodeAnsi(out.Text());
}

void SaveTestTextFile(const TProgramState& state, const QString& path)
{
    WriteFileReplacing(path, TestTextFileBytes(state));
}

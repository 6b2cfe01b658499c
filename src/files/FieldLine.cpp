#include "files/FieldLine.h"

#include "model/CodePage.h"
#include "model/Errors.h"
#include "model/LocaleFormat.h"

namespace {

// Lines whose texts keep their dots and commas: dates, addresses and names.
bool KeepsSeparators(const QString& label)
{
    static const QStringList exempt = {QStringLiteral("Datum"), QStringLiteral("Lokalita"),
                                       QStringLiteral("Měřil"), QStringLiteral("Zakázka")};
    return exempt.contains(label);
}

} // namespace

void AdjustDecimalSeparators(QStringList& fields)
{
    if (fields.isEmpty() || KeepsSeparators(fields.first()))
        return;
    const QChar decimal = DecimalSeparator();
    const QChar foreign = decimal == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
    for (qsizetype i = 1; i < fields.size(); ++i)
        fields[i].replace(foreign, decimal);
}

void ReadFieldLine(QIODevice& file, QStringList& fields, bool keepSeparators)
{
    QByteArray line = file.readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    SplitFieldLine(line, fields, keepSeparators);
}

void SplitFieldLine(QByteArrayView line, QStringList& fields, bool keepSeparators)
{
    fields = DecodeAnsi(line.toByteArray()).split(QLatin1Char('\t'));
    if (fields.size() > MaxLineFields)
        fields.resize(MaxLineFields);
    if (!keepSeparators)
        AdjustDecimalSeparators(fields);
}

QString EncodeDotDate(const QDate& date)
{
    return QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(date.year());
}

QDate DecodeDotDate(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    const auto fail = [&text] {
        return VybitorError(QStringLiteral("'%1' is not a valid date").arg(text));
    };
    if (parts.size() != 3)
        throw fail();
    int numbers[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            throw fail();
    }
    const QDate date(numbers[2], numbers[1], numbers[0]);
    if (!date.isValid())
        throw fail();
    return date;
}

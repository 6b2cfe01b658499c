#include "files/TextFieldValues.h"

#include "model/Errors.h"
#include "model/LocaleFormat.h"

#include <QDateTime>
#include <QRegularExpression>

int IntField(const QString& text, int low, int high, const char* what)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw VybitorError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    if (v < low || v > high)
        throw VybitorError(QStringLiteral("%1 is no valid %2 (%3 to %4)").arg(text.trimmed(), QString::fromLatin1(what)).arg(low).arg(high));
    return int(v);
}

double FloatField(const QString& text)
{
    double v = 0;
    if (!ParseLocaleDouble(text, v))
        throw VybitorError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

QTime TimeOfDayField(const QString& text)
{
    const QString t = text.trimmed();
    const QTime local = ProgramLocale().toTime(t, LongTimeFormat());
    if (local.isValid())
        return local;
    // Files travel between colleagues: a time written on a 24-hour or a 12-hour locale
    // reads on any other.
    static const QRegularExpression anyLocale(QStringLiteral("^([0-9]{1,2}):([0-9]{2})(?::([0-9]{2}))?(?: ([AP])M)?$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = anyLocale.match(t);
    if (m.hasMatch()) {
        int hour = m.captured(1).toInt();
        const QString half = m.captured(4).toUpper();
        const bool twelveHour = !half.isEmpty();
        if (twelveHour && hour >= 1 && hour <= 12)
            hour = hour % 12 + (half == QLatin1String("P") ? 12 : 0);
        else if (twelveHour)
            hour = -1;
        const QTime time(hour, m.captured(2).toInt(), m.captured(3).toInt());
        if (time.isValid())
            return time;
    }
    throw VybitorError(QStringLiteral("'%1' is not a valid time").arg(text));
}

uint32_t TesterSeconds(const QDate& date, const QTime& time)
{
    static const QDateTime epoch(QDate(1980, 1, 1), QTime(0, 0), Qt::UTC);
    const qint64 s = epoch.secsTo(QDateTime(date, time, Qt::UTC));
    if (s < 0 || s > qint64(UINT32_MAX))
        throw VybitorError(QStringLiteral("%1 %2 is outside the tester's clock (1.1.1980 to 2116)")
                               .arg(date.toString(QStringLiteral("d.M.yyyy")), time.toString(QStringLiteral("H:mm:ss"))));
    return uint32_t(s);
}

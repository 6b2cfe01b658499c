#include "model/LocaleFormat.h"

#include <QRegularExpression>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
QLocale& localeSlot()
{
    static QLocale locale = QLocale::system();
    return locale;
}

QString formatOne(const QByteArray& directive, char conversion, const FormatArg& arg)
{
    char buffer[512];
    switch (conversion) {
    case 'd': case 'i': case 'u': case 'x': case 'X': {
        QByteArray s = directive;
        s.insert(s.size() - 1, "ll");
        const long long v = arg.kind == FormatArg::Double ? static_cast<long long>(arg.d) : arg.i;
        std::snprintf(buffer, sizeof buffer, s.constData(), v);
        return QString::fromLatin1(buffer);
    }
    case 'c': {
        const QString ch = arg.kind == FormatArg::Text ? arg.s.left(1) : QString(QChar(char16_t(arg.i)));
        return ch;
    }
    case 's': {
        // Width and precision count characters, not bytes.
        QString text = arg.kind == FormatArg::Text ? arg.s : QString::number(arg.kind == FormatArg::Int ? double(arg.i) : arg.d);
        QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^%(-?)(\\d*)(?:\\.(\\d+))?s$")).match(QString::fromLatin1(directive));
        if (m.hasMatch()) {
            if (!m.captured(3).isEmpty())
                text = text.left(m.captured(3).toInt());
            const int width = m.captured(2).toInt();
            if (text.size() < width)
                text = m.captured(1).isEmpty() ? text.rightJustified(width) : text.leftJustified(width);
        }
        return text;
    }
    default: { // floating point
        const double v = arg.kind == FormatArg::Int ? double(arg.i) : arg.d;
        std::snprintf(buffer, sizeof buffer, directive.constData(), v);
        QString out = QString::fromLatin1(buffer);
        // snprintf follows the C library's LC_NUMERIC, which Qt sets from the environment.
        out.replace(QLatin1Char(','), QLatin1Char('.'));
        out.replace(QLatin1Char('.'), DecimalSeparator());
        return out;
    }
    }
}
} // namespace

const QLocale& ProgramLocale() { return localeSlot(); }
void SetProgramLocale(const QLocale& locale) { localeSlot() = locale; }
QChar DecimalSeparator()
{
    const QString sep = ProgramLocale().decimalPoint();
    return sep.isEmpty() ? QLatin1Char('.') : sep.at(0);
}

QString FormatLocale(const char* pattern, std::initializer_list<FormatArg> args)
{
    QString out;
    auto next = args.begin();
    const QByteArray p(pattern);
    QByteArray literal;
    auto flushLiteral = [&] {
        if (!literal.isEmpty()) {
            out += QString::fromUtf8(literal);
            literal.clear();
        }
    };
    for (int i = 0; i < p.size(); ++i) {
        if (p[i] != '%') {
            literal += p[i];
            continue;
        }
        if (i + 1 < p.size() && p[i + 1] == '%') {
            literal += '%';
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < p.size() && !std::isalpha(static_cast<unsigned char>(p[j])))
            ++j;
        if (j >= p.size())
            break;
        flushLiteral();
        const QByteArray directive = p.mid(i, j - i + 1);
        if (next != args.end()) {
            out += formatOne(directive, p[j], *next);
            ++next;
        }
        i = j;
    }
    flushLiteral();
    return out;
}

bool ParseLocaleDouble(const QString& text, double& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    const QChar sep = DecimalSeparator();
    // Only digits, one separator, an optional sign and an exponent are a number here.
    QString pattern = QStringLiteral("^[+-]?(\\d+(S\\d*)?|S\\d+)([eE][+-]?\\d+)?$");
    pattern.replace(QLatin1Char('S'), QRegularExpression::escape(QString(sep)));
    if (!QRegularExpression(pattern).match(t).hasMatch())
        return false;
    QString c = t;
    c.replace(sep, QLatin1Char('.'));
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

QDateTime TesterDateTime(quint32 secondsSince1980)
{
    static const QDateTime epoch(QDate(1980, 1, 1), QTime(0, 0, 0), Qt::UTC);
    return epoch.addSecs(secondsSince1980);
}

QString ShortDateFormat() { return ProgramLocale().dateFormat(QLocale::ShortFormat); }

QString LongTimeFormat()
{
    // Qt's long time formats carry a time-zone part ("t"); the tester's clock has none.
    QString f = ProgramLocale().timeFormat(QLocale::LongFormat);
    f.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return f.trimmed();
}

QString ShortDateText(const QDate& date) { return ProgramLocale().toString(date, ShortDateFormat()); }
QString LongTimeText(const QTime& time) { return ProgramLocale().toString(time, LongTimeFormat()); }

#include "model/LocaleFormat.h"

#include <QRegularExpression>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
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
        // LC_NUMERIC is "C" in the programs; a caller without their start-up may have another.
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

QString FixedLocale(double value, int decimals)
{
    // The longest double has 309 integer digits; sign, point and 20 decimals fit beside them.
    char buffer[340];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, std::clamp(decimals, 0, 20)).ptr;
    const QChar sep = DecimalSeparator();
    if (sep.unicode() < 0x80) {
        std::replace(buffer, end, '.', char(sep.unicode()));
        return QString::fromLatin1(buffer, end - buffer);
    }
    return QString::fromLatin1(buffer, end - buffer).replace(QLatin1Char('.'), sep);
}

bool ParseDecimalChars(std::string_view t, std::string_view separators, double& value)
{
    // Checked by hand: files carry a million of these, a pattern match per value is too slow.
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    char ascii[64];
    const size_t n = t.size();
    if (n == 0 || n >= sizeof ascii)
        return false;
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-')
        ++i;
    size_t mantissaDigits = 0;
    for (; i < n && digit(t[i]); ++i)
        ++mantissaDigits;
    size_t separator = n;
    if (i < n && (t[i] == separators.front() || t[i] == separators.back())) {
        separator = i;
        for (++i; i < n && digit(t[i]); ++i)
            ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-'))
            ++i;
        size_t exponentDigits = 0;
        for (; i < n && digit(t[i]); ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    std::memcpy(ascii, t.data(), n);
    if (separator < n)
        ascii[separator] = '.';
    const char* begin = ascii + (ascii[0] == '+' ? 1 : 0);
    double v = 0;
    const auto [end, error] = std::from_chars(begin, ascii + n, v);
    if (error != std::errc() || end != ascii + n || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool ParseLocaleDouble(const QString& text, double& value)
{
    // Only ASCII, with the locale's separator (which may be none) standing in as '.'.
    const QString t = text.trimmed();
    const QChar sep = DecimalSeparator();
    char ascii[64];
    if (t.size() >= qsizetype(sizeof ascii))
        return false;
    for (qsizetype j = 0; j < t.size(); ++j) {
        if (t[j] == sep)
            ascii[j] = '.';
        else if (t[j].unicode() < 0x80 && t[j] != QLatin1Char('.'))
            ascii[j] = char(t[j].unicode());
        else
            return false;
    }
    return ParseDecimalChars(std::string_view(ascii, size_t(t.size())), ".", value);
}

QDateTime TesterDateTime(quint32 secondsSince1980)
{
    static const QDateTime epoch(QDate(1980, 1, 1), QTime(0, 0, 0), Qt::UTC);
    return epoch.addSecs(secondsSince1980);
}

QString ShortDateFormat()
{
    // Some locales' short formats write the year in two digits ("dd.MM.yy" in Czech); the
    // desktop systems the users come from write four, and a test's year must be unambiguous.
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return ProgramLocale().dateFormat(QLocale::ShortFormat).replace(twoDigitYear, QStringLiteral("yyyy"));
}

QString LongTimeFormat()
{
    // Qt's long time formats carry a time-zone part ("t"); the tester's clock has none.
    QString f = ProgramLocale().timeFormat(QLocale::LongFormat);
    f.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return f.trimmed();
}

QString ShortDateText(const QDate& date) { return ProgramLocale().toString(date, ShortDateFormat()); }
QString LongTimeText(const QTime& time) { return ProgramLocale().toString(time, LongTimeFormat()); }

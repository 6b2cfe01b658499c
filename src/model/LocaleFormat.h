#pragma once
// Numbers, dates and times as the user's locale shows them.
// The program locale is the process locale (LC_ALL, LC_NUMERIC, LANG); tests pin their own.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <initializer_list>
#include <string_view>

const QLocale& ProgramLocale();
void SetProgramLocale(const QLocale& locale);   // tests and the CLI's --locale only
QChar DecimalSeparator();

// printf-style pattern formatted in the C locale, then every number's '.' becomes the
// locale's decimal separator; literal text of the pattern is kept as it stands.
// Supports %d %i %u %f %e %g %s %c %% with flags, width and precision.
struct FormatArg {
    enum Kind { Int, Double, Text } kind;
    long long i = 0;
    double d = 0;
    QString s;
    FormatArg(int v) : kind(Int), i(v) {}
    FormatArg(long v) : kind(Int), i(v) {}
    FormatArg(long long v) : kind(Int), i(v) {}
    FormatArg(unsigned v) : kind(Int), i(v) {}
    FormatArg(double v) : kind(Double), d(v) {}
    FormatArg(float v) : kind(Double), d(v) {}
    FormatArg(const QString& v) : kind(Text), s(v) {}
    FormatArg(const char* v) : kind(Text), s(QString::fromUtf8(v)) {}
};
QString FormatLocale(const char* pattern, std::initializer_list<FormatArg> args);
inline QString FormatLocale(const char* pattern, FormatArg arg) { return FormatLocale(pattern, {arg}); }

// The text of printf's "%.<decimals>f" (decimals 0 to 20) with the locale's separator, without the pattern
// machinery: the data grid formats a million cells with it.
QString FixedLocale(double value, int decimals);

// Reads a decimal number written with the locale's separator (no separator substitution);
// leading and trailing blanks are allowed. Returns false for anything else.
bool ParseLocaleDouble(const QString& text, double& value);

// Reads a number from ASCII text without blanks around it: digits with at most one of the
// separators (one or two characters), an optional sign and exponent, finite, fewer than 64
// characters.
bool ParseDecimalChars(std::string_view text, std::string_view separators, double& value);

// Date and time of the tester's clock: seconds since 1.1.1980 00:00:00.
QDateTime TesterDateTime(quint32 secondsSince1980);
QString ShortDateText(const QDate& date);
// Hours, minutes and seconds in the locale's order, without a time-zone part.
QString LongTimeText(const QTime& time);
QString LongTimeFormat();
// The locale's short date format with the year in four digits ("dd.MM.yyyy" in Czech).
QString ShortDateFormat();

#pragma once
// Conversions of text-file fields; each throws VybitorError with the runtime's wording
// for a text that is no value of the kind (an empty text included).

#include <QDate>
#include <QString>
#include <QTime>
#include <cstdint>

// A decimal integer (blanks around it allowed) between low and high; `what` names the
// value in the message for one outside that range.
int IntField(const QString& text, int low, int high, const char* what);
// A number with the locale's decimal separator.
double FloatField(const QString& text);
// A time of day in the locale's long time format, or on any locale H:mm:ss or H:mm, each
// optionally followed by " AM" or " PM" (any case).
QTime TimeOfDayField(const QString& text);
// Seconds of the tester's clock (since 1.1.1980 00:00:00) for a date and time; a moment
// the clock cannot hold is an error.
uint32_t TesterSeconds(const QDate& date, const QTime& time);

#pragma once
// Lines of the test text file: TAB-separated fields in 8-bit text, and the dotted date.

#include <QByteArrayView>
#include <QDate>
#include <QIODevice>
#include <QString>
#include <QStringList>

// Most fields one line of a test text file yields; further fields are dropped.
inline constexpr int MaxLineFields = 114;

// Reads the next line of an open text file into fields (at most MaxLineFields), with the
// locale's decimal separator put into every field but the first, unless the line is labelled
// "Datum", "Lokalita", "Měřil" or "Zakázka". At the end of the file gives one empty field.
void ReadFieldLine(QIODevice& file, QStringList& fields, bool keepSeparators = false);

// The same for one line given without its line end. With keepSeparators (for both) no
// field is adjusted, whatever the line's label: the head's text lines are known by their
// place too, also under captions of another language.
void SplitFieldLine(QByteArrayView line, QStringList& fields, bool keepSeparators = false);

// The decimal-separator adjustment of one split line, as ReadFieldLine applies it.
void AdjustDecimalSeparators(QStringList& fields);

// 5 March 2008 -> "5.3.2008".
QString EncodeDotDate(const QDate& date);

// "5.3.2008" -> 5 March 2008; throws VybitorError for a part that is not a number, more than
// two dots or a date that does not exist.
QDate DecodeDotDate(const QString& text);

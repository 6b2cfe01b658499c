#pragma once
// The one place where the record's 8-bit text (Windows-1250) and files' 8-bit text
// turn into QString and back.

#include <QByteArray>
#include <QString>

// Characters of a fixed-width field up to the first zero byte or the width.
QString FieldText(const char* field, int width);
template <int N>
QString FieldText(const char (&field)[N]) { return FieldText(field, N); }

// Stores text into a fixed-width field: zero-terminated when shorter, cut at the width.
void SetFieldText(char* field, int width, const QString& text);
template <int N>
void SetFieldText(char (&field)[N], const QString& text) { SetFieldText(field, N, text); }

// Windows-1250 (or another ANSI code page by name, e.g. "windows-1251").
QString DecodeAnsi(const QByteArray& bytes, const char* codePage = "windows-1250");
QByteArray EncodeAnsi(const QString& text, const char* codePage = "windows-1250");

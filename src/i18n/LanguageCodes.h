#pragma once
// What the program knows about a Windows language identifier (LANGID): its display name and
// the ANSI code page of its 8-bit texts.

#include <QString>

constexpr int BuiltInLanguageId = 1029; // Czech

// The language's name ("English (United States)"); the identifier in decimal when unknown.
QString LanguageDisplayName(int langId);
// Name of the ANSI code page for QStringDecoder ("windows-1252"); Czech's when unknown.
const char* LanguageCodePage(int langId);
// The locale name of a known language ("en_US"); empty when unknown.
QString LanguageLocaleName(int langId);

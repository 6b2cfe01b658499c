#pragma once
// The ".lng" language file: parameters before the first section (LANGID), the catalogue
// texts of "$CONSTANTS" and one section of texts by id per translatable window.

#include "i18n/TranslationRegistry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

struct TLanguageFile {
    int LangId = 0;                                     // 0 when missing or no number
    std::vector<std::pair<QString, QString>> Constants; // catalogue name, text
    TWindowTextSections Windows;                        // only the translatable windows
};

// The file's lines: UTF-16 (or UTF-8) after a byte-order mark, else 8-bit text in the code
// page of the file's own LANGID.
QStringList LanguageFileLines(const QByteArray& bytes);

// The LANGID parameter of the lines before the first section; 0 when missing or unusable.
int ReadLanguageId(const QStringList& lines);

// The whole file. Returns an empty string on success, else "Line %d: %s" with the 0-based
// line number and the reason.
QString ParseLanguageFile(const QStringList& lines, TLanguageFile& file);

// Resolves the escapes \\ \n (CR LF) \t and \NN (character 0 to 99).
QString UnescapeLanguageText(const QString& text);

#include "cli/CliTable.h"

#include "model/TextGrid.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>
#include <cstdio>

namespace {
// The string as JSON text, escaped by Qt's writer (a QJsonObject would sort the keys, so
// the objects are put together here, in column order).
QByteArray JsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray JsonObject(const QStringList& titles, const QStringList& cells)
{
    QByteArray object = "{";
    for (int c = 0; c < titles.size(); ++c) {
        if (c > 0)
            object += ", ";
        object += JsonString(titles[c]) + ": " + JsonCell(cells.value(c));
    }
    return object + '}';
}

void PrintBytes(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

QByteArray FormatRows(const QStringList& titles, const QList<QStringList>& rows, TCliFormat format)
{
    QByteArray text;
    if (format == TCliFormat::Tsv) {
        for (const QStringList& row : rows)
            text += (row.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8();
        return text;
    }
    if (rows.isEmpty())
        return "[]\n";
    text = "[\n";
    for (int r = 0; r < rows.size(); ++r)
        text += "  " + JsonObject(titles, rows[r]) + (r + 1 < rows.size() ? ",\n" : "\n");
    return text + "]\n";
}
} // namespace

QStringList GridRowTexts(const TTextGrid& grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid.ColCount(); ++c)
        texts << grid.Cell(c, row);
    return texts;
}

QByteArray JsonCell(const QString& text)
{
    const QString trimmed = text.trimmed();
    const QString point = QRegularExpression::escape(QLocale::system().decimalPoint());
    const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]*)(%1[0-9]+)?$").arg(point));
    if (!number.match(trimmed).hasMatch())
        return JsonString(trimmed);
    // The digits as they stand, with JSON's point: "25,0" stays 25.0, never 25.
    QString digits = trimmed;
    digits.replace(QLocale::system().decimalPoint(), QStringLiteral("."));
    return digits.toLatin1();
}

void PrintRows(const QStringList& titles, const QList<QStringList>& rows, TCliFormat format)
{
    PrintBytes(FormatRows(titles, rows, format));
}

void PrintUtf8(const QString& text)
{
    PrintBytes(text.toUtf8());
}

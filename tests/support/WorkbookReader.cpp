#include "support/WorkbookReader.h"

#include <QJsonDocument>
#include <QProcess>

namespace {
const char* const Script = R"(
import json, sys
try:
    import openpyxl
    book = openpyxl.load_workbook(sys.argv[1])
    out = {"sheets": {}, "margins": {}}
    for sheet in book.worksheets:
        out["sheets"][sheet.title] = [list(row) for row in sheet.iter_rows(values_only=True)]
        m = sheet.page_margins
        out["margins"][sheet.title] = {"left": m.left, "right": m.right, "top": m.top, "bottom": m.bottom}
except Exception as e:
    out = {"error": "%s: %s" % (type(e).__name__, e)}
print(json.dumps(out, default=str))
)";
} // namespace

QJsonObject ReadWorkbook(const QString& path)
{
    QProcess python;
    // Debian's python3, which python3-openpyxl serves, whatever other python3 the PATH names.
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(Script), path});
    if (!python.waitForFinished(60000))
        return {{QStringLiteral("error"), QStringLiteral("python3 did not finish")}};
    const QJsonDocument json = QJsonDocument::fromJson(python.readAllStandardOutput());
    if (!json.isObject())
        return {{QStringLiteral("error"), QString::fromUtf8(python.readAllStandardError())}};
    return json.object();
}

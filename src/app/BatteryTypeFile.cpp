#include "app/BatteryTypeFile.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "files/WholeFile.h"
#include "model/CodePage.h"
#include "model/LocaleFormat.h"

#include <QFile>

namespace {

QStringList FileLines(const QByteArray& bytes)
{
    QStringList lines = DecodeAnsi(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line break that ends the last line opens no new one
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

} // namespace

TBatteryTypeRead ReadBatteryTypeFile(const QString& path)
{
    TBatteryTypeRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.Error = FileMessage(QStringLiteral("File not found"), path);
        return result;
    }
    const QStringList lines = FileLines(file.readAll());
    for (qsizetype i = 0; i < lines.size() && i < MaxBatteryTypes; ++i) {
        // The appended tab makes a line with fewer than three numbers end in an empty field.
        const QStringList fields = (lines[i] + QLatin1Char('\t')).split(QLatin1Char('\t'));
        TBatteryType type;
        type.Name = fields[0];
        double* numbers[] = {&type.RatedMinutes, &type.Number2, &type.Number3};
        for (int n = 0; n < 3; ++n) {
            const QString field = n + 1 < fields.size() ? fields[n + 1] : QString();
            if (!ParseLocaleDouble(field, *numbers[n])) {
                result.Types.clear();
                result.Error = FileMessage(QStringLiteral("'%1' is not a valid floating point value").arg(field), path);
                return result;
            }
        }
        result.Types.push_back(type);
    }
    return result;
}

void LoadBatteryTypes(TProgramState& state, const QString& path)
{
    TBatteryTypeRead read = ReadBatteryTypeFile(path);
    state.BatteryTypes = std::move(read.Types);
    for (const TBatteryType& type : state.BatteryTypes)
        if (!state.Choices.GtypbatItems.contains(type.Name))
            state.Choices.GtypbatItems << type.Name;
    emit state.ChoicesChanged();
    if (!read.Error.isEmpty())
        UserReport().Message(read.Error);
}

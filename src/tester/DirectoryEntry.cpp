#include "tester/DirectoryEntry.h"

#include "i18n/MessageCatalogue.h"
#include "model/CodePage.h"
#include "model/DataVersion.h"
#include "model/LocaleFormat.h"

#include <cstring>

bool DecodeDirectoryEntry(const char* payload, int length, TDirectoryEntry& entry)
{
    if (length < int(sizeof entry))
        return false;
    std::memcpy(&entry, payload, sizeof entry);
    return true;
}

QStringList DirectoryRowTexts(const TDirectoryEntry& entry, bool dataVersion101)
{
    TTestHeader header = entry.Header;
    ApplyDataVersionPower(header, dataVersion101);

    const QString fileName = FieldText(entry.FileName);
    const QDateTime start = TesterDateTime(entry.RunInfo.StartTime);
    QStringList row;
    row.reserve(DirColumnCount);
    row << fileName.mid(1, 4)
        << ShortDateText(start.date())
        << LongTimeText(start.time())
        << FieldText(header.Locality)
        << FieldText(header.MeasuredBy)
        << FieldText(header.BatteryId)
        << QString::number(header.Period)
        << MessageText(header.PowerMode != 0 ? QStringLiteral("char_vykon") : QStringLiteral("char_proud"))
        << FormatLocale("%.1f", header.DischargeValue)
        << FormatLocale("%.1f", header.EndVoltage)
        << QString::number(entry.RunInfo.BatteryCount)
        << EndReasonText(entry.RunInfo.EndReason)
        << FormatLocale("%.1f", double(entry.LengthMs) / 60000.0)
        << QString::number(entry.DownloadMark == 0 ? 1 : 0)
        << fileName
        << QString::number(entry.EntryIndex);
    return row;
}

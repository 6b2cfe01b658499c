#include "tester/TesterCommands.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "i18n/MessageCatalogue.h"
#include "model/CodePage.h"
#include "model/Errors.h"
#include "model/TestRecord.h"
#include "tester/TesterLink.h"

#include <QThread>
#include <algorithm>

namespace {
// A stored test of 108 batteries and 10000 rows (2.36 MB).
constexpr qint64 LargestStoredTest = StoredBatteryNumbersOffset + MaxBatteries + qint64(MaxRows) * StoredRowSize(MaxBatteries);

void putUint32(QByteArray& bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}
} // namespace

QString TTesterSettings::DataDirectory() const
{
    if (Data.size() <= 31)
        return {};
    const QByteArray field = Data.mid(31, 9);
    return FieldText(field.constData(), int(field.size()));
}

TTesterSettings& TesterSettings()
{
    static TTesterSettings settings;
    return settings;
}

QString TesterTestPath(const QString& fileName)
{
    return QLatin1Char('/') + TesterSettings().DataDirectory() + QLatin1Char('/') + fileName;
}

void ReadTesterSettings(TTesterLink& link)
{
    TProgramState& state = TProgramState::Instance();
    if (state.SettingsRead)
        return;
    if (link.Send('N', 'U') != 0) {
        UserReport().Busy(false);
        UserReport().Message(MessageText(QStringLiteral("Nast_error")));
        return;
    }
    if (!VerifyChecksum(link.Frame)) {
        UserReport().Message(MessageText(QStringLiteral("Nast_error")));
        return;
    }
    TesterSettings().Data = link.Frame.PayloadBytes().chopped(2);
    state.SettingsRead = true;
}

QByteArray ReadTesterFile(TTesterLink& link, const QString& path, bool* refused)
{
    const QByteArray p = EncodeAnsi(path);
    if (refused)
        *refused = false;
    auto fault = [&] {
        UserReport().Message(QStringLiteral("Fault"));
        if (refused)
            *refused = true;
    };
    if (link.Send('F', 'S', 0, p) != 0 || link.Frame.Length() < 4) {
        fault();
        return {};
    }
    const uint8_t* s = link.Frame.Payload;
    const qint64 size = quint32(s[0] | (s[1] << 8) | (s[2] << 16) | (quint32(s[3]) << 24));
    const int block = std::max(250 - int(p.size()), 1);
    QByteArray file;
    const ProgressScope progress;
    // The announced size is the tester's word: a damaged reply may claim 4 GB.
    file.reserve(std::min<qint64>(size, LargestStoredTest));
    for (qint64 k = 0; k <= size / block; ++k) {
        const int n = int(std::min<qint64>(size - k * block, block));
        QByteArray request(7, '\0');
        request[0] = char(p.size());
        request[1] = char(n);
        putUint32(request, 3, quint32(k * block));
        request += p;
        if (link.Send('F', 'R', 0, request) != 0 || link.Frame.Length() < n) {
            fault();
            return file;
        }
        file.append(reinterpret_cast<const char*>(link.Frame.Payload), n);
        if (!UserReport().Progress(file.size(), size, path))
            throw OperationCancelled();
    }
    return file;
}

bool WriteTesterFile(TTesterLink& link, const QString& path, const QByteArray& data)
{
    const QByteArray p = EncodeAnsi(path);
    const int block = std::max(249 - int(p.size()), 1);
    bool allAccepted = true;
    for (qint64 k = 0; k <= data.size() / block; ++k) {
        const QByteArray chunk = data.mid(k * block, block);
        QByteArray request(6, '\0');
        request[0] = char(p.size());
        request[1] = char(k == 0 ? 0 : 2);
        request[2] = char(chunk.size());
        request += p;
        request += chunk;
        if (link.Send('F', 'W', 1, request) != 0) {
            UserReport().Message(QStringLiteral("Fault"));
            allAccepted = false;
        }
    }
    return allAccepted;
}

void MarkTestRead(TTesterLink& link, const QString& path)
{
    link.Send('F', 'A', 0, QByteArray(2, '\0') + EncodeAnsi(path));
}

bool WaitForDeletion(TTesterLink& link, int pauseMs)
{
    for (int poll = 0; poll < 101; ++poll) {
        const uint8_t status = link.Send('T', 'd', 0);
        if (link.Unreachable())
            return false;
        if (status == 3)
            break;
        UserReport().Repaint();
        QThread::msleep(pauseMs);
    }
    link.Send('T', 'd', 255);
    return !link.Unreachable();
}

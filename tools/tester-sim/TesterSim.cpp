#include "TesterSim.h"

#include "SimBytes.h"
#include "tester/TesterFrame.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cstdio>

using namespace SimBytes;

namespace {
// Offsets of the stored test layout and of a directory entry.
constexpr int RunBlockSize = 7, HeaderSize = 91, StoredHeadSize = RunBlockSize + HeaderSize;
constexpr int EntrySize = 127;

// Whether a request's payload has the shape the command documents; a tester refuses
// anything else.
bool wellFormed(const QByteArray& code, uint8_t parameter, const QByteArray& payload)
{
    const int length = int(payload.size());
    if (code == "NU" || code == "Tc" || code == "TS" || code == "TD" || code == "Ul" || code == "NL")
        return length == 0 && parameter == 0;
    if (code == "TT")
        return length == 0 && (parameter == 1 || parameter == 2);
    if (code == "Td")
        return length == 0 && (parameter == 0 || parameter == 255);
    if (code == "TO")
        return length == 2 && parameter == 0;
    if (code == "Nl")
        return length == 1 && parameter == 0;
    if (code == "FS")
        return length > 0 && parameter == 0;
    if (code == "FR") {
        const int p = length > 0 ? uchar(payload[0]) : 0;
        return parameter == 0 && p > 0 && length == p + 7 && payload[2] == 0 && uchar(payload[1]) <= 250 - p;
    }
    if (code == "FA")
        return parameter == 0 && length > 2 && payload[0] == 0 && payload[1] == 0;
    if (code == "FW") {
        const int p = length > 0 ? uchar(payload[0]) : 0;
        const int mode = length > 1 ? uchar(payload[1]) : -1;
        const int n = length > 2 ? uchar(payload[2]) : 0;
        return parameter == 1 && p > 0 && (mode == 0 || mode == 2) && n <= 249 - p && length == p + 6 + n &&
               payload.mid(3, 3) == QByteArray(3, '\0');
    }
    return false;
}
} // namespace

uint8_t RefusalStatus(const QByteArray& command) { return command == "TT" ? 11 : 1; }

bool TTesterSim::refuses(const QByteArray& command)
{
    const int count = ++requestCounts_[command];
    return std::any_of(faults_.Refusals.begin(), faults_.Refusals.end(), [&](const TSimRefusal& r) {
        return r.Command == command && (r.Nth == 0 || r.Nth == count);
    });
}

void TTesterSim::LoadDataFolder(const QString& folder)
{
    QDir dir(folder);
    const QString hiddenList = QStringLiteral("hidden.txt"), presetFile = QStringLiteral("lokality.lkt");
    QStringList hidden;
    QFile list(dir.filePath(hiddenList));
    if (list.open(QIODevice::ReadOnly))
        hidden = QString::fromLatin1(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& h : hidden)
        h = h.trimmed();
    // The tester numbers its entries its own way: never the row numbers of a listing.
    quint16 index = 3;
    quint16 gap = 4;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        if (name == hiddenList || name == presetFile)
            continue;
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        tests_.push_back({name, f.readAll(), hidden.contains(name), false, false, index});
        index = quint16(index + gap++);
    }
    QFile presets(dir.filePath(presetFile));
    if (presets.open(QIODevice::ReadOnly))
        files_.insert(QStringLiteral("/config/lokality.lkt"), presets.readAll());
}

QByteArray TTesterSim::reply(const QByteArray& request, uint8_t status, const QByteArray& payload)
{
    QByteArray out = request.left(3);
    out.append(char(status));
    const int length = faults_.Oversize ? FramePayloadSize + 10 : int(payload.size());
    out.append(char(length & 0xFF));
    out.append(char(length >> 8));
    out += faults_.Oversize ? QByteArray(length, 'X') : payload;
    ++replies_;
    return out;
}

QByteArray* TTesterSim::file(const QString& path)
{
    for (TSimTest& t : tests_)
        if (!t.MarkedForDeletion || !deleting_)
            if (path == QLatin1Char('/') + DataDirectory + QLatin1Char('/') + t.FileName)
                return &t.Bytes;
    auto it = files_.find(path);
    return it == files_.end() ? nullptr : &*it;
}

// 0 the download mark (0 = marked), 1 a name of 9, 10 the file name of 13, 23 the run block,
// 30 the header, 121 the length in ms, 125 the entry index.
QByteArray TTesterSim::directoryEntry(const TSimTest& test) const
{
    QByteArray e(EntrySize, '\0');
    e[0] = char(test.Downloaded ? 0 : 1);
    PutText(e, 1, 9, QStringLiteral("TEST"));
    PutText(e, 10, 13, test.FileName);
    const QByteArray& b = test.Bytes;
    e.replace(23, StoredHeadSize, b.left(StoredHeadSize).leftJustified(StoredHeadSize, '\0'));
    const int n = b.size() > 5 ? uchar(b[5]) : 0;
    const int rowSize = 20 + 2 * n;
    const qint64 rows = (b.size() - StoredHeadSize - n) / rowSize;
    if (rows > 1) {
        const int first = StoredHeadSize + n + 16;
        PutU32(e, 121, U32(b, int(first + (rows - 1) * rowSize)) - U32(b, first));
    }
    PutU16(e, 125, test.EntryIndex);
    return e;
}

QByteArray TTesterSim::Answer(const QByteArray& request)
{
    const char command = request[1];
    const char sub = request[2];
    const uint8_t parameter = uint8_t(request[3]);
    const QByteArray payload = request.mid(FrameHeadSize);
    if (faults_.Log)
        std::fprintf(stderr, "tester-sim: #%c%c %u L=%d %s\n", command, sub, parameter, int(payload.size()),
                     payload.toHex().constData());
    if (faults_.DelayMs > 0)
        QThread::msleep(faults_.DelayMs);
    const QByteArray code = QByteArray(1, command) + sub;
    if (refuses(code) || !wellFormed(code, parameter, payload))
        return reply(request, RefusalStatus(code));

    if (code == "NU") {
        // Offset 31: the data directory's name, 9 bytes.
        QByteArray settings(40, '\0');
        PutText(settings, 0, 31, QStringLiteral("TESTER-SIM"));
        PutText(settings, 31, 9, DataDirectory.left(8));
        QByteArray data = WithSum(settings);
        if (faults_.BadChecksum)
            data[data.size() - 1] = char(data[data.size() - 1] + 1);
        return reply(request, 0, data);
    }
    if (code == "Tc") {
        listCursor_ = 0;
        return reply(request, 0);
    }
    if (code == "TT") {
        while (listCursor_ < int(tests_.size())) {
            const TSimTest& t = tests_[listCursor_++];
            if (!t.Hidden || parameter == 2)
                return reply(request, 1, directoryEntry(t));
        }
        return reply(request, 0);
    }
    if (code == "TO") {
        const quint16 index = U16(payload, 0);
        for (TSimTest& t : tests_)
            if (t.EntryIndex == index)
                t.MarkedForDeletion = true;
        return reply(request, 0);
    }
    if (code == "TS") {
        for (TSimTest& t : tests_)
            if (t.Hidden)
                t.MarkedForDeletion = true;
        return reply(request, 0);
    }
    if (code == "TD") {
        deleting_ = true;
        deletionPolls_ = 0;
        return reply(request, 0);
    }
    if (code == "Td") {
        if (parameter == 255) {
            deleting_ = false;
            return reply(request, 0);
        }
        // Deleting takes the tester a few polls.
        if (deleting_ && !faults_.NeverFinishDeletion && ++deletionPolls_ >= 3) {
            std::erase_if(tests_, [](const TSimTest& t) { return t.MarkedForDeletion; });
            deleting_ = false;
            return reply(request, 3);
        }
        return reply(request, deleting_ || faults_.NeverFinishDeletion ? 2 : 3);
    }
    if (code == "FS") {
        const QByteArray* f = file(QString::fromLatin1(payload));
        if (!f)
            return reply(request, RefusalStatus(code));
        QByteArray size(4, '\0');
        PutU32(size, 0, quint32(f->size()));
        return reply(request, 0, size);
    }
    if (code == "FR") {
        const int p = uint8_t(payload[0]);
        const int n = uint8_t(payload[1]);
        const quint32 offset = U32(payload, 3);
        const QByteArray* f = file(QString::fromLatin1(payload.mid(7, p)));
        if (!f)
            return reply(request, RefusalStatus(code));
        return reply(request, 0, f->mid(offset, n).leftJustified(n, '\0'));
    }
    if (code == "FA") {
        const QString path = QString::fromLatin1(payload.mid(2));
        for (TSimTest& t : tests_)
            if (path == QLatin1Char('/') + DataDirectory + QLatin1Char('/') + t.FileName) {
                t.Downloaded = true;
                return reply(request, 0);
            }
        return reply(request, RefusalStatus(code));
    }
    if (code == "FW") {
        const int p = uint8_t(payload[0]);
        const int mode = uint8_t(payload[1]);
        const int n = uint8_t(payload[2]);
        const QString path = QString::fromLatin1(payload.mid(6, p));
        QByteArray& target = files_[path];
        if (mode == 0)
            target.clear();
        target += payload.mid(6 + p, n);
        return reply(request, 0);
    }
    if (code == "Ul")
        return reply(request, 0);
    if (code == "NL") {
        const QByteArray lkt = files_.value(QStringLiteral("/config/lokality.lkt"));
        QByteArray head(4, '\0');
        if (lkt.size() >= 2)
            head = lkt.left(2) + lkt.mid(2 + int(uint8_t(lkt[1])) * 88, 2).leftJustified(2, '\0');
        return reply(request, 0, head);
    }
    if (code == "Nl") {
        const QByteArray lkt = files_.value(QStringLiteral("/config/lokality.lkt"));
        if (lkt.size() < 2 || uint8_t(payload[0]) >= uint8_t(lkt[1]))
            return reply(request, RefusalStatus(code));
        return reply(request, 0, lkt.mid(2 + int(uint8_t(payload[0])) * 88, 88).leftJustified(88, '\0'));
    }
    return reply(request, RefusalStatus(code));
}

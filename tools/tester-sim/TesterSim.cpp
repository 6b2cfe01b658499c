#include "TesterSim.h"

#include "model/CodePage.h"
#include "tester/DirectoryEntry.h"
#include "tester/TesterFrame.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
quint32 uint32At(const QByteArray& b, int at)
{
    quint32 v = 0;
    std::memcpy(&v, b.constData() + at, 4);
    return v;
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
    QStringList hidden;
    QFile hiddenList(dir.filePath(QStringLiteral("hidden.txt")));
    if (hiddenList.open(QIODevice::ReadOnly))
        hidden = QString::fromLatin1(hiddenList.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& h : hidden)
        h = h.trimmed();
    quint16 index = 1;
    for (const QString& name : dir.entryList({QStringLiteral("*.tst")}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        tests_.push_back({name, f.readAll(), hidden.contains(name), false, false, index++});
    }
    QFile presets(dir.filePath(QStringLiteral("lokality.lkt")));
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

QByteArray TTesterSim::directoryEntry(const TSimTest& test) const
{
    TDirectoryEntry e{};
    e.DownloadMark = test.Downloaded ? 0 : 1;
    SetFieldText(e.Name, QStringLiteral("TEST"));
    SetFieldText(e.FileName, test.FileName);
    std::memcpy(&e.RunInfo, test.Bytes.constData(), sizeof e.RunInfo + sizeof e.Header);
    const int n = e.RunInfo.BatteryCount;
    const int rowSize = StoredRowSize(n);
    const qint64 rows = (test.Bytes.size() - 98 - n) / rowSize;
    if (rows > 1) {
        const char* data = test.Bytes.constData() + 98 + n;
        quint32 first, last;
        std::memcpy(&first, data + 16, 4);
        std::memcpy(&last, data + (rows - 1) * rowSize + 16, 4);
        e.LengthMs = last - first;
    }
    e.EntryIndex = test.EntryIndex;
    return QByteArray(reinterpret_cast<const char*>(&e), sizeof e);
}

QByteArray TTesterSim::Answer(const QByteArray& request)
{
    const char command = request[1];
    const char sub = request[2];
    const uint8_t parameter = uint8_t(request[3]);
    const QByteArray payload = request.mid(FrameHeadSize);
    if (faults_.Log)
        std::fprintf(stderr, "tester-sim: #%c%c %u L=%d\n", command, sub, parameter, int(payload.size()));
    if (faults_.DelayMs > 0)
        QThread::msleep(faults_.DelayMs);
    const QByteArray code = QByteArray(1, command) + sub;
    if (refuses(code))
        return reply(request, RefusalStatus(code));

    if (code == "NU") {
        QByteArray settings(40, '\0');
        std::memcpy(settings.data(), "TESTER-SIM", 10);
        const QByteArray dir = DataDirectory.toLatin1().left(8);
        std::memcpy(settings.data() + 31, dir.constData(), dir.size());
        QByteArray data = WithChecksum(settings);
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
    if (code == "TO" && payload.size() >= 2) {
        const quint16 index = quint16(uint8_t(payload[0]) | (uint8_t(payload[1]) << 8));
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
            return reply(request, 1);
        QByteArray size(4, '\0');
        const quint32 s = quint32(f->size());
        std::memcpy(size.data(), &s, 4);
        return reply(request, 0, size);
    }
    if (code == "FR" && payload.size() >= 7) {
        const int p = uint8_t(payload[0]);
        const int n = uint8_t(payload[1]);
        const quint32 offset = uint32At(payload, 3);
        const QByteArray* f = file(QString::fromLatin1(payload.mid(7, p)));
        if (!f)
            return reply(request, 1);
        return reply(request, 0, f->mid(offset, n).leftJustified(n, '\0'));
    }
    if (code == "FA") {
        const QString path = QString::fromLatin1(payload.mid(2));
        for (TSimTest& t : tests_)
            if (path.endsWith(QLatin1Char('/') + t.FileName))
                t.Downloaded = true;
        return reply(request, 0);
    }
    if (code == "FW" && payload.size() >= 6) {
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
    if (code == "Nl" && payload.size() >= 1) {
        const QByteArray lkt = files_.value(QStringLiteral("/config/lokality.lkt"));
        return reply(request, 0, lkt.mid(2 + int(uint8_t(payload[0])) * 88, 88).leftJustified(88, '\0'));
    }
    return reply(request, 1);
}

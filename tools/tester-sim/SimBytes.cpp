#include "SimBytes.h"

#include <QStringEncoder>
#include <cstring>

namespace SimBytes {
void PutU16(QByteArray& bytes, int at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void PutU32(QByteArray& bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

void PutF32(QByteArray& bytes, int at, float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, 4);
    PutU32(bytes, at, bits);
}

quint16 U16(const QByteArray& bytes, int at) { return quint16(uchar(bytes[at]) | (uchar(bytes[at + 1]) << 8)); }

quint32 U32(const QByteArray& bytes, int at)
{
    return quint32(U16(bytes, at)) | (quint32(U16(bytes, at + 2)) << 16);
}

void PutText(QByteArray& bytes, int at, int width, const QString& text)
{
    QStringEncoder encoder("windows-1250");
    const QByteArray encoded = QByteArray(encoder.encode(text)).left(width);
    std::memcpy(bytes.data() + at, encoded.constData(), size_t(encoded.size()));
    if (encoded.size() < width)
        bytes[at + encoded.size()] = '\0';
}

QByteArray WithSum(const QByteArray& data)
{
    quint32 sum = 0;
    for (char c : data)
        sum += uchar(c);
    QByteArray out = data + QByteArray(2, '\0');
    PutU16(out, int(data.size()), quint16(sum));
    return out;
}
} // namespace SimBytes

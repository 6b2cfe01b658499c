#include "model/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

QString FieldText(const char* field, int width)
{
    const void* zero = std::memchr(field, 0, width);
    const int length = zero ? int(static_cast<const char*>(zero) - field) : width;
    return DecodeAnsi(QByteArray(field, length));
}

void SetFieldText(char* field, int width, const QString& text)
{
    const QByteArray bytes = EncodeAnsi(text);
    const int length = bytes.size() < width ? int(bytes.size()) : width;
    std::memset(field, 0, width);
    std::memcpy(field, bytes.constData(), length);
}

QString DecodeAnsi(const QByteArray& bytes, const char* codePage)
{
    QStringDecoder decoder(codePage);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray EncodeAnsi(const QString& text, const char* codePage)
{
    QStringEncoder encoder(codePage, QStringEncoder::Flag::Default);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

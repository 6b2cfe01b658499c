#pragma once
// The emulator's own byte layer, written from the layout tables alone: little-endian
// numbers, IEEE single floats, fixed-width Windows-1250 text fields and the 16-bit payload
// sum. It shares nothing with the program's code, so a mistake there cannot hide here.

#include <QByteArray>
#include <QString>

namespace SimBytes {
void PutU16(QByteArray& bytes, int at, quint16 value);
void PutU32(QByteArray& bytes, int at, quint32 value);
void PutF32(QByteArray& bytes, int at, float value);
quint16 U16(const QByteArray& bytes, int at);
quint32 U32(const QByteArray& bytes, int at);
// Windows-1250 characters, cut to width; a shorter text ends with a zero byte.
void PutText(QByteArray& bytes, int at, int width, const QString& text);
// data followed by the uint16 sum of its bytes.
QByteArray WithSum(const QByteArray& data);
} // namespace SimBytes

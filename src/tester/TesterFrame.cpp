#include "tester/TesterFrame.h"

#include <algorithm>
#include <cstring>

void TTesterFrame::SetRequest(char command, char subCommand, uint8_t parameter, const QByteArray& payload)
{
    const int length = std::min<int>(payload.size(), FramePayloadSize);
    Head[0] = '#';
    Head[1] = uint8_t(command);
    Head[2] = uint8_t(subCommand);
    Head[3] = parameter;
    Head[4] = uint8_t(length & 0xFF);
    Head[5] = uint8_t(length >> 8);
    std::memcpy(Payload, payload.constData(), length);
}

QByteArray TTesterFrame::PayloadBytes() const
{
    return QByteArray(reinterpret_cast<const char*>(Payload), std::min(Length(), FramePayloadSize));
}

QByteArray TTesterFrame::RequestBytes() const
{
    QByteArray bytes(reinterpret_cast<const char*>(Head), FrameHeadSize);
    bytes.append(reinterpret_cast<const char*>(Payload), std::min(Length(), FramePayloadSize));
    return bytes;
}

bool VerifyChecksum(const TTesterFrame& frame)
{
    const int length = std::min(frame.Length(), FramePayloadSize);
    if (length < 2)
        return false;
    uint32_t sum = 0;
    for (int i = 0; i < length - 2; ++i)
        sum += frame.Payload[i];
    return sum == uint32_t(frame.Payload[length - 2] + 256 * frame.Payload[length - 1]);
}

#pragma once
// The request/reply frame of the tester link: "#", two command letters, a parameter
// (status in the reply), a little-endian payload length and the payload.

#include <QByteArray>
#include <cstdint>

inline constexpr int FrameHeadSize = 6;
inline constexpr int FramePayloadSize = 502;
inline constexpr quint16 TesterTcpPort = 9760;

struct TTesterFrame {
    uint8_t Head[FrameHeadSize] = {};
    uint8_t Payload[FramePayloadSize] = {};

    // Fills the head and payload of a request (payload cut at the buffer's size).
    void SetRequest(char command, char subCommand, uint8_t parameter, const QByteArray& payload = {});
    uint8_t Status() const { return Head[3]; }
    int Length() const { return Head[4] | (Head[5] << 8); }
    QByteArray PayloadBytes() const;
    // The 6 + L bytes that go on the wire.
    QByteArray RequestBytes() const;
};

// The last two payload bytes hold the 16-bit sum of the bytes before them; a sum that
// does not fit 16 bits never verifies.
bool VerifyChecksum(const TTesterFrame& frame);

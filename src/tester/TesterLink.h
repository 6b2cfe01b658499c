#pragma once
// The one link to the tester: a TCP client or a serial port, and the one blocking
// exchange over it. While it waits the windows repaint, but no user input is taken, so
// a second exchange can never start meanwhile.

#include "tester/TesterFrame.h"

#include <QString>
#include <functional>
#include <memory>

class QSerialPort;
class QTcpSocket;

struct TLinkTimeouts {
    int ConnectMs = 5000;
    int ReadMs = 3000;  // per blocking TCP read
};

class TTesterLink {
public:
    TTesterLink();
    ~TTesterLink();
    static TTesterLink& Instance();

    TTesterFrame Frame;

    // Sends the request in Frame and leaves the reply there. Throws VybitorError on a
    // read timeout, a broken connection, a reply longer than the frame buffer or a serial
    // reply that stops short. A TCP connection that cannot be made shows its error and
    // yields status 1 with nothing sent.
    void Exchange();
    // Frame building convention in one call; returns the reply status.
    uint8_t Send(char command, char subCommand, uint8_t parameter = 0, const QByteArray& payload = {});

    // Ethernet unless the link choice is 1 (a stored -1 means Ethernet too).
    static bool UsesSerial(int linkChoice) { return linkChoice == 1; }

    // The serial port, opened by ShowLinkState at start; null until then.
    QSerialPort* SerialPort() const { return serial_.get(); }
    bool OpenSerialPort(const QString& name, QString& error);
    const QString& SerialPath() const { return serialPath_; }
    void CloseSerialPort();

    // The TCP port is the tester's 9760; tests and the CLI's --tcp HOST:PORT change it.
    void SetTcpPort(quint16 port) { tcpPort_ = port; }
    void SetTimeouts(const TLinkTimeouts& timeouts) { timeouts_ = timeouts; }
    void Disconnect();
    // Whether the last exchange could not even connect (its error has been shown).
    bool Unreachable() const { return unreachable_; }

    // While set, replies are read from this source instead of the TCP client or the serial
    // port (the request goes nowhere). The source fills exactly count bytes or throws like a
    // read timeout. Only the reply-handling fuzz harness uses it: no emulator produces every
    // byte sequence a broken tester might send.
    using ReplySource = std::function<void(char* target, int count)>;
    void SetReplySource(ReplySource source) { replySource_ = std::move(source); }

private:
    void exchangeTcp();
    void exchangeSerial();
    void readTcp(char* target, int count);
    void readSerial(char* target, int count);
    void takeReply(const std::function<void(char*, int)>& read);

    std::unique_ptr<QTcpSocket> tcp_;
    std::unique_ptr<QSerialPort> serial_;
    QString serialPath_;
    quint16 tcpPort_ = TesterTcpPort;
    TLinkTimeouts timeouts_;
    bool busy_ = false;
    bool unreachable_ = false;
    ReplySource replySource_;
};

// Linux names a serial port ttyUSB0 for /dev/ttyUSB0; a full path stays as it is.
QString SerialDevicePath(const QString& portName);
// Whether nobody, this program included, holds the port open.
bool ProbeSerialPort(const QString& portName);
// The platform's first USB serial port name, "COM1" on Windows.
QString DefaultSerialPortName();

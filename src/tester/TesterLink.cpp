#include "tester/TesterLink.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "model/Errors.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QTcpSocket>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// Short slices keep the windows painting while a read waits.
constexpr int WaitSliceMs = 20;

class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : busy_(busy)
    {
        if (busy_)
            throw VybitorError(QStringLiteral("The tester link is busy with another exchange."));
        busy_ = true;
    }
    ~BusyGuard() { busy_ = false; }

private:
    bool& busy_;
};
} // namespace

TTesterLink::TTesterLink() = default;
TTesterLink::~TTesterLink() = default;

TTesterLink& TTesterLink::Instance()
{
    static TTesterLink link;
    return link;
}

uint8_t TTesterLink::Send(char command, char subCommand, uint8_t parameter, const QByteArray& payload)
{
    Frame.SetRequest(command, subCommand, parameter, payload);
    Exchange();
    return Frame.Status();
}

void TTesterLink::Exchange()
{
    BusyGuard guard(busy_);
    if (tcp_ && tcp_->bytesAvailable() > 0)
        tcp_->readAll(); // stale bytes of an exchange that failed half way
    if (replySource_)
        takeReply(replySource_);
    else if (UsesSerial(TProgramState::Instance().Settings.Link))
        exchangeSerial();
    else
        exchangeTcp();
}

void TTesterLink::takeReply(const std::function<void(char*, int)>& read)
{
    char head[FrameHeadSize];
    read(head, FrameHeadSize);
    const int length = uint8_t(head[4]) | (uint8_t(head[5]) << 8);
    if (length > FramePayloadSize) {
        // Drain the oversized payload so the next exchange starts on a frame boundary.
        QByteArray sink(length, '\0');
        try {
            read(sink.data(), length);
        } catch (const VybitorError&) {
            Disconnect();
        }
        throw VybitorError(QStringLiteral("The tester sent a reply of %1 bytes; a frame holds at most %2.")
                               .arg(length).arg(FramePayloadSize));
    }
    if (length > 0)
        read(reinterpret_cast<char*>(Frame.Payload), length);
    std::memcpy(Frame.Head, head, FrameHeadSize);
}

void TTesterLink::exchangeTcp()
{
    if (!tcp_)
        tcp_ = std::make_unique<QTcpSocket>();
    if (tcp_->state() != QAbstractSocket::ConnectedState) {
        tcp_->abort();
        tcp_->connectToHost(TProgramState::Instance().Settings.TesterAddress, tcpPort_);
        QDeadlineTimer deadline(timeouts_.ConnectMs);
        while (tcp_->state() != QAbstractSocket::ConnectedState && tcp_->state() != QAbstractSocket::UnconnectedState
               && !deadline.hasExpired()) {
            tcp_->waitForConnected(WaitSliceMs);
            UserReport().Repaint();
        }
        if (tcp_->state() != QAbstractSocket::ConnectedState) {
            const QString error = tcp_->state() == QAbstractSocket::UnconnectedState
                                      ? tcp_->errorString()
                                      : QStringLiteral("Connection to %1 timed out.").arg(TProgramState::Instance().Settings.TesterAddress);
            tcp_->abort();
            UserReport().Busy(false);
            UserReport().Message(error);
            Frame.Head[3] = 1;
            return;
        }
    }
    tcp_->write(Frame.RequestBytes());
    takeReply([this](char* target, int count) { readTcp(target, count); });
}

void TTesterLink::readTcp(char* target, int count)
{
    int got = 0;
    while (got < count) {
        if (tcp_->bytesAvailable() == 0) {
            QDeadlineTimer deadline(timeouts_.ReadMs);
            while (tcp_->bytesAvailable() == 0) {
                if (tcp_->state() != QAbstractSocket::ConnectedState) {
                    tcp_->abort();
                    throw VybitorError(QStringLiteral("Connection Closed Gracefully."));
                }
                if (deadline.hasExpired()) {
                    // The late reply must not arrive as the reply to the next request.
                    tcp_->abort();
                    throw VybitorError(QStringLiteral("Read timed out."));
                }
                tcp_->flush();
                tcp_->waitForReadyRead(WaitSliceMs);
                UserReport().Repaint();
            }
        }
        got += int(tcp_->read(target + got, count - got));
    }
}

void TTesterLink::exchangeSerial()
{
    if (!serial_ || !serial_->isOpen())
        throw VybitorError(QStringLiteral("The serial port is not open."));
    serial_->clear();
    const QByteArray request = Frame.RequestBytes();
    serial_->write(request);
    QDeadlineTimer writeDeadline(100 * request.size() + 1000);
    while (serial_->bytesToWrite() > 0 && !writeDeadline.hasExpired())
        serial_->waitForBytesWritten(WaitSliceMs);
    takeReply([this](char* target, int count) { readSerial(target, count); });
}

void TTesterLink::readSerial(char* target, int count)
{
    // Total timeout of the read: 1000 ms per requested byte plus 1000 ms, and at most
    // 1000 ms between two bytes.
    QDeadlineTimer total(qint64(1000) * count + 1000);
    int got = 0;
    while (got < count) {
        if (serial_->bytesAvailable() == 0) {
            QDeadlineTimer interval(1000);
            while (serial_->bytesAvailable() == 0) {
                if (interval.hasExpired() || total.hasExpired())
                    throw VybitorError(QStringLiteral("The tester did not answer on %1 (read timed out).").arg(serialPath_));
                serial_->waitForReadyRead(WaitSliceMs);
                UserReport().Repaint();
            }
        }
        got += int(serial_->read(target + got, count - got));
    }
}

bool TTesterLink::OpenSerialPort(const QString& name, QString& error)
{
    CloseSerialPort();
    serial_ = std::make_unique<QSerialPort>();
    serialPath_ = SerialDevicePath(name);
    serial_->setPortName(serialPath_);
    serial_->setBaudRate(QSerialPort::Baud9600);
    serial_->setDataBits(QSerialPort::Data8);
    serial_->setParity(QSerialPort::NoParity);
    serial_->setStopBits(QSerialPort::OneStop);
    serial_->setFlowControl(QSerialPort::NoFlowControl);
    if (!serial_->open(QIODevice::ReadWrite)) {
        error = serial_->errorString();
        serial_.reset();
        return false;
    }
    // A pseudo-terminal has no modem lines; failing to drop them is no reason to fail.
    serial_->setDataTerminalReady(false);
    serial_->setRequestToSend(false);
    serial_->clearError();
    return true;
}

void TTesterLink::CloseSerialPort()
{
    if (serial_)
        serial_->close();
    serial_.reset();
}

void TTesterLink::Disconnect()
{
    if (tcp_)
        tcp_->abort();
}

QString SerialDevicePath(const QString& portName)
{
#ifdef Q_OS_WIN
    return portName;
#else
    return portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
#endif
}

bool ProbeSerialPort(const QString& portName)
{
    const QSerialPort* held = TTesterLink::Instance().SerialPort();
    if (held && held->isOpen() && TTesterLink::Instance().SerialPath() == SerialDevicePath(portName))
        return false;
#ifdef Q_OS_UNIX
    const QByteArray path = SerialDevicePath(portName).toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
#else
    QSerialPort port(portName);
    const bool ok = port.open(QIODevice::ReadWrite);
    port.close();
    return ok;
#endif
}

QString DefaultSerialPortName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM1");
#else
    return QStringLiteral("ttyUSB0");
#endif
}

#include "tester/TesterLink.h"

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "model/Errors.h"
#include "tester/SocketWait.h"

#include <QDeadlineTimer>
#include <QHostInfo>
#include <QSerialPort>
#include <QTcpSocket>
#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <QFile>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {
// Short slices keep the windows painting while the link waits.
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

// Connects the socket to the tester; empty, or what the user is told. Qt's
// waitForConnected() gives the attempt up when its own wait runs out, so it is called only
// once the socket has the outcome; until then the windows repaint (the desktop program's
// event processing may finish the connect itself) between short waits on the socket, and
// the full connect timeout is the only limit.
QString ConnectToTester(QTcpSocket& tcp, const QString& name, quint16 port, int timeoutMs)
{
    tcp.abort();
    QHostAddress address(name);
    if (address.isNull()) {
        // Looked up here, blocking as Qt's own wait would: a lookup in the background needs
        // an event loop, and the CLI runs none.
        const QHostInfo info = QHostInfo::fromName(name);
        if (info.addresses().isEmpty())
            return info.errorString();
        address = info.addresses().constFirst();
    }
    tcp.connectToHost(address, port);
    const QDeadlineTimer deadline(timeoutMs);
    while (tcp.state() == QAbstractSocket::ConnectingState && !deadline.hasExpired()) {
        UserReport().Repaint();
        if (tcp.state() == QAbstractSocket::ConnectingState
            && WaitUntilWritable(ConnectingDescriptor(tcp), int(std::min<qint64>(WaitSliceMs, deadline.remainingTime()))))
            tcp.waitForConnected(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    if (tcp.state() == QAbstractSocket::ConnectedState)
        return {};
    if (tcp.state() == QAbstractSocket::UnconnectedState && tcp.error() != QAbstractSocket::SocketTimeoutError)
        return tcp.errorString();
    return QStringLiteral("Connection to %1 timed out.").arg(name);
}
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
    unreachable_ = false;
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
        const QString error = ConnectToTester(*tcp_, TProgramState::Instance().Settings.TesterAddress, tcpPort_, timeouts_.ConnectMs);
        if (!error.isEmpty()) {
            tcp_->abort();
            UserReport().Busy(false);
            UserReport().Message(error);
            unreachable_ = true;
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
    // A read of n bytes may take 1000 ms per byte plus 1000 ms in all, so the first byte may
    // come that late; once bytes flow, at most 1000 ms may pass between two of them.
    QDeadlineTimer total(qint64(1000) * count + 1000);
    int got = 0;
    while (got < count) {
        const QDeadlineTimer interval = got > 0 ? QDeadlineTimer(1000) : QDeadlineTimer(QDeadlineTimer::Forever);
        while (serial_->bytesAvailable() == 0) {
            if (interval.hasExpired() || total.hasExpired())
                throw VybitorError(QStringLiteral("The tester did not answer on %1 (read timed out).").arg(serialPath_));
            serial_->waitForReadyRead(WaitSliceMs);
            UserReport().Repaint();
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

#ifdef Q_OS_UNIX
namespace {
// A UUCP lock file names the holder's process id, as ten ASCII digits or as a binary int.
bool lockFileHolderAlive(const QString& lockPath)
{
    QFile lock(lockPath);
    if (!lock.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = lock.read(64);
    bool isText = false;
    qint64 pid = content.trimmed().split('\n').value(0).trimmed().toLongLong(&isText);
    if (!isText && content.size() == int(sizeof(int))) {
        int binary = 0;
        std::memcpy(&binary, content.constData(), sizeof binary);
        pid = binary;
    }
    // EPERM: the process lives under another user.
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// /dev/ttyUSB0 is locked as LCK..ttyUSB0, /dev/pts/3 as LCK..pts_3.
bool lockedByLiveProcess(const QString& devicePath)
{
    QString name = devicePath.startsWith(QStringLiteral("/dev/")) ? devicePath.mid(5) : devicePath.section(QLatin1Char('/'), -1);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char* folder : {"/var/lock", "/run/lock", "/var/spool/uucp"})
        if (lockFileHolderAlive(QString::fromLatin1(folder) + QStringLiteral("/LCK..") + name))
            return true;
    return false;
}
} // namespace
#endif

bool ProbeSerialPort(const QString& portName)
{
    const QSerialPort* ours = TTesterLink::Instance().SerialPort();
    if (ours && ours->isOpen() && TTesterLink::Instance().SerialPath() == SerialDevicePath(portName))
        return false;
#ifdef Q_OS_UNIX
    // Linux has no exclusive open: a program that holds a port marks it with TIOCEXCL (which
    // does not stop root, so it is asked for) or with a lock file that terminal programs honour.
    const QString devicePath = SerialDevicePath(portName);
    if (lockedByLiveProcess(devicePath))
        return false;
    const int fd = ::open(QFile::encodeName(devicePath).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int exclusive = 0;
    const bool exclusiveHeld = ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
    ::close(fd);
    return !exclusiveHeld;
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

// tester-sim: the tester's side of the link over TCP on loopback or a pseudo-terminal.
#include "SimOptions.h"
#include "SlowHandshake.h"
#include "TesterSim.h"
#include "tester/TesterFrame.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdio>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
// Splits a byte stream into request frames.
class FrameReader {
public:
    // Appends bytes; returns the complete frames found.
    QList<QByteArray> Feed(const QByteArray& bytes)
    {
        buffer_ += bytes;
        QList<QByteArray> frames;
        while (buffer_.size() >= FrameHeadSize) {
            const int length = uint8_t(buffer_[4]) | (uint8_t(buffer_[5]) << 8);
            if (buffer_.size() < FrameHeadSize + length)
                break;
            frames << buffer_.left(FrameHeadSize + length);
            buffer_.remove(0, FrameHeadSize + length);
        }
        return frames;
    }

private:
    QByteArray buffer_;
};

int openPty(const QString& link)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return -1;
    const char* slave = ptsname(master);
    // Raw 9600 8N1 on the slave side, as the tester's port is set.
    const int s = ::open(slave, O_RDWR | O_NOCTTY);
    if (s >= 0) {
        termios tio{};
        tcgetattr(s, &tio);
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        tio.c_cflag = (tio.c_cflag & ~(CSIZE | PARENB | CSTOPB)) | CS8 | CLOCAL | CREAD;
        tcsetattr(s, TCSANOW, &tio);
        ::close(s);
    }
    termios mtio{};
    tcgetattr(master, &mtio);
    cfmakeraw(&mtio);
    tcsetattr(master, TCSANOW, &mtio);
    if (!link.isEmpty()) {
        QFile::remove(link);
        if (::symlink(slave, QFile::encodeName(link).constData()) != 0)
            std::fprintf(stderr, "tester-sim: cannot link %s\n", qPrintable(link));
    }
    std::printf("pty %s\n", slave);
    std::fflush(stdout);
    return master;
}
} // namespace

int main(int argc, char* argv[])
{
    int exitCode = 0;
    const std::optional<TSimOptions> options = ParseSimOptions(argc, argv, exitCode);
    if (!options)
        return exitCode;
    QCoreApplication app(argc, argv);
    if (!options->GenerateFolder.isEmpty()) {
        GenerateSampleTests(options->GenerateFolder);
        return 0;
    }
    if (!options->GenerateSiteFolder.isEmpty()) {
        GenerateSiteTests(options->GenerateSiteFolder);
        return 0;
    }
    TTesterSim sim(options->Faults);
    if (!options->DataFolder.isEmpty())
        sim.LoadDataFolder(options->DataFolder);

    FrameReader reader;
    if (options->Pty) {
        const int master = openPty(options->PtyLink);
        if (master < 0) {
            std::fprintf(stderr, "tester-sim: no pseudo-terminal\n");
            return 1;
        }
        auto* notifier = new QSocketNotifier(master, QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, [&, master] {
            char buf[4096];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n <= 0)
                return;
            for (const QByteArray& frame : reader.Feed(QByteArray(buf, int(n)))) {
                const QByteArray answer = sim.Answer(frame);
                if (::write(master, answer.constData(), answer.size()) < 0)
                    return;
            }
        });
        return app.exec();
    }

    QTcpServer server;
    const bool slowHandshake = options->HandshakeAfterMs != 0;
    if (slowHandshake)
        server.setListenBacklogSize(0);
    if (!server.listen(QHostAddress::LocalHost, options->Port)) {
        std::fprintf(stderr, "tester-sim: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    if (slowHandshake)
        HoldHandshakesUntil(server, options->HandshakeAfterMs);
    std::printf("port %u\n", server.serverPort());
    std::fflush(stdout);
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            auto* frames = new FrameReader;
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, frames] {
                delete frames;
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [&sim, socket, frames] {
                for (const QByteArray& frame : frames->Feed(socket->readAll())) {
                    socket->write(sim.Answer(frame));
                    if (sim.Faults().CloseAfterReplies >= 0 && sim.Replies() >= sim.Faults().CloseAfterReplies) {
                        socket->flush();
                        socket->disconnectFromHost();
                        return;
                    }
                }
            });
        }
    });
    return app.exec();
}

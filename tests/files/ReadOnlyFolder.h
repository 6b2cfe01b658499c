#pragma once
// Makes a folder refuse new files for one test, also for root (immutable flag), so that a
// save into it really fails.

#include <QDir>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : path_(path)
    {
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        SetImmutable(true);
        QFile probe(path_ + QStringLiteral("/probe"));
        effective_ = !probe.open(QIODevice::WriteOnly);
        if (!effective_)
            probe.remove();
    }
    ~ReadOnlyFolder()
    {
        SetImmutable(false);
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    // False where neither permissions nor the flag stop a write (then skip the test).
    bool Effective() const { return effective_; }

private:
    void SetImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }

    QString path_;
    bool effective_ = false;
};

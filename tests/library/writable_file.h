#pragma once

#include <QFile>
#include <QString>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// Makes a file unwritable for as long as it lives, for the program itself too: root ignores file
// modes, so the file is made immutable where the file system allows it, and read-only otherwise.
class UnwritableFile {
public:
    explicit UnwritableFile(const QString& path) : path_(QFile::encodeName(path)) {
        immutable_ = setImmutable(true);
        if (!immutable_)
            ::chmod(path_.constData(), 0444);
        const int fd = ::open(path_.constData(), O_WRONLY | O_CLOEXEC);
        made_ = fd < 0;
        if (fd >= 0)
            ::close(fd);
    }
    ~UnwritableFile() {
        if (immutable_)
            setImmutable(false);
        ::chmod(path_.constData(), 0644);
    }
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;

    bool Made() const { return made_; }

private:
    bool setImmutable(bool on) {
        const int fd = ::open(path_.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QByteArray path_;
    bool immutable_ = false;
    bool made_ = false;
};

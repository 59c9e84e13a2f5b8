#include "files/file_layer.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int FileLayer::CreateUnique(QByteArray& pathTemplate) {
    return ::mkostemp(pathTemplate.data(), O_CLOEXEC);
}

ssize_t FileLayer::Write(int fd, const char* bytes, std::size_t count) {
    return ::write(fd, bytes, count);
}

int FileLayer::SetMode(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int FileLayer::Sync(int fd) {
    return ::fsync(fd);
}

int FileLayer::Close(int fd) {
    return ::close(fd);
}

int FileLayer::Rename(const QByteArray& from, const QByteArray& to) {
    return std::rename(from.constData(), to.constData());
}

int FileLayer::Remove(const QByteArray& path) {
    return ::unlink(path.constData());
}

FileLayer& SystemFiles() {
    static FileLayer system;
    return system;
}

#pragma once

#include <QByteArray>
#include <cstddef>
#include <sys/types.h>

// The system calls a save is made of, one virtual function each, so that a test can make any step
// fail as a full disk or a failing drive would. Each returns what its system call returns and
// leaves the reason in errno.
class FileLayer {
public:
    virtual ~FileLayer() = default;

    // mkostemp: a new file, its name made from the template's trailing XXXXXX.
    virtual int CreateUnique(QByteArray& pathTemplate);
    virtual ssize_t Write(int fd, const char* bytes, std::size_t count);
    virtual int SetMode(int fd, mode_t mode);
    virtual int Sync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const QByteArray& from, const QByteArray& to);
    virtual int Remove(const QByteArray& path);
};

// The layer that makes the system calls.
FileLayer& SystemFiles();

#include "support/full_disk.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>

FullDisk::FullDisk(const QString& folder) : folder_(folder) {
    mounted_ = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") == 0;
    if (!mounted_)
        problem_ = QStringLiteral("cannot mount a tmpfs here: ") + std::strerror(errno);
}

FullDisk::~FullDisk() {
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

bool FullDisk::Fill() const {
    QFile filler(QDir(folder_).filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    while (filler.write(QByteArray(4096, 'x')) > 0) {
    }
    return filler.error() != QFileDevice::NoError;
}

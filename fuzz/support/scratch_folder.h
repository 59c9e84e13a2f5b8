#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A new temporary folder for the files a target writes for each input, in memory where the system
// has /dev/shm: a file written thousands of times a second, and synced to the disk by each safe
// save, would otherwise wait for the disk.
inline QString ScratchFolderTemplate() {
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString base =
        memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return base + QStringLiteral("/marrowlink-fuzz-XXXXXX");
}

#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>
#include <memory>
#include <optional>

// Files from outside (voice names, controller presets, sound files, JSON) are read whole, but
// never without end: each kind has a size far above what it ever holds, and a file beyond it (one
// that links to an endless device, or the wrong file) is refused rather than read into memory.

// Everything the device holds, when that is at most limit bytes; nothing when there is more.
std::optional<QByteArray> ReadAtMost(QIODevice& device, qint64 limit);

// Which files a reader takes. A FIFO or a device in a folder is a trap: opening a FIFO waits for
// a writer, a device may never end or may wait for a line.
enum class FileKinds {
    RegularOnly,
    RegularOrStandardInput, // also the program's own standard input, named as /dev/stdin or so
    Any,
};

struct OpenedFile {
    std::unique_ptr<QFile> file; // open for reading; null when the file cannot be read
    bool missing = false;        // there is no such file
    // Why not, worded to follow "cannot be read: ": "no such file", "it is not a regular file",
    // or the system's words.
    QString problem;
};

// Opens a file for reading without ever waiting in open(), and refuses what the kinds leave out.
// A FIFO that is taken then reads as usual: it waits for its writer's bytes, or ends at once
// without a writer.
OpenedFile OpenWithoutWaiting(const QByteArray& nativePath, FileKinds kinds);
// The same for a regular file named as Qt names files.
OpenedFile OpenRegularFile(const QString& path);

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>

// Files named on the command line. The system hands the programs names as bytes, which need not
// be UTF-8; Qt's own conversion replaces what is not, so a name would reach the file system
// changed. These keep every byte: a name is decoded as UTF-8 with each stray byte kept as a code
// point U+DC80..U+DCFF, and the file functions below turn it back into the very same bytes.

// One command-line argument as text.
QString ArgumentText(const char* bytes);
// The bytes a name decoded by ArgumentText came from (for other text: its UTF-8).
QByteArray FileNameBytes(const QString& name);

// The file, open for reading; null, with the reason ("no such file", "is a directory, not a
// file", the system's words), when it cannot be read.
std::unique_ptr<QFile> OpenForReading(const QString& name, QString& problem);
// The file, created or emptied and open for writing; null, with the system's reason.
std::unique_ptr<QFile> OpenForWriting(const QString& name, QString& problem);

// Writes a whole file, or returns the system's reason why it could not. "-" is standard output.
// A name that exists and is not a regular file (a FIFO, a device such as /dev/stdout) is written
// into as it is and never replaced. Otherwise the bytes go to a new file beside it that then
// takes its name, so a failure leaves an old file whole; a symbolic link keeps pointing at the
// file it names.
std::optional<QString> SaveNamedFile(const QString& name, const QByteArray& bytes);

#pragma once

#include "model/bounded_read.h"

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

// The file, opened without waiting (a FIFO without a writer never holds the program) and only
// when it is of the kinds given; null, with the reason ("no such file", "it is not a regular
// file", the system's words), when it cannot be read.
std::unique_ptr<QFile> OpenForReading(const QString& name, FileKinds kinds, QString& problem);
// The file, created or emptied and open for writing; null, with the system's reason.
std::unique_ptr<QFile> OpenForWriting(const QString& name, QString& problem);

// Writes the bytes to standard output at once, past stdio's buffer; the system's reason when
// that fails.
std::optional<QString> WriteStandardOutput(const QByteArray& bytes);

// Writes a whole file, or returns the system's reason why it could not. "-" is standard output.
// A name that exists and is not a regular file (a FIFO, a device such as /dev/stdout) is written
// into as it is and never replaced. Otherwise the file is saved as the editor saves
// (SafeSave::WriteAtomically): a failure leaves an old file whole, a symbolic link keeps pointing
// at the file it names.
std::optional<QString> SaveNamedFile(const QString& name, const QByteArray& bytes);

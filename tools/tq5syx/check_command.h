#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>

// The problems of a file that should be a patch or a multi file, one line each naming its byte
// offset, in offset order; empty for a file exactly as the editor saves it. head holds the file's
// first bytes (at least one more than a patch file has, where the file is that long) and size is
// the whole file's size. The kind comes from the first message's header, else from the size.
QStringList FileProblems(std::span<const std::uint8_t> head, qint64 size);

// tq5syx check FILE: prints the problems, or "ok"; exit code 1 when there are problems.
int RunCheck(const QString& path);

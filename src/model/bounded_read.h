#pragma once

#include <QByteArray>
#include <QIODevice>
#include <optional>

// Files from outside (voice names, controller presets, sound files, JSON) are read whole, but
// never without end: each kind has a size far above what it ever holds, and a file beyond it (one
// that links to an endless device, or the wrong file) is refused rather than read into memory.

// Everything the device holds, when that is at most limit bytes; nothing when there is more.
std::optional<QByteArray> ReadAtMost(QIODevice& device, qint64 limit);

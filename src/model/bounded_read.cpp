#include "model/bounded_read.h"

std::optional<QByteArray> ReadAtMost(QIODevice& device, qint64 limit) {
    // A pipe gives what it holds at a time: read on until the end, or one byte past the limit.
    QByteArray bytes;
    for (QByteArray chunk;
         bytes.size() <= limit && !(chunk = device.read(limit + 1 - bytes.size())).isEmpty();)
        bytes += chunk;
    if (bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

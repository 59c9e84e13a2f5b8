#pragma once

#include <QFile>

// Private resident memory (what the program itself holds, not the shared libraries), in MB.
inline double privateMegabytes() {
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    double kilobytes = 0;
    for (const QByteArray& line : rollup.readAll().split('\n'))
        if (line.startsWith("Private_Clean:") || line.startsWith("Private_Dirty:"))
            kilobytes += line.mid(14).trimmed().split(' ').first().toDouble();
    return kilobytes / 1024.0;
}

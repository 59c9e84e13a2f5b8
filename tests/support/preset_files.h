#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <vector>

// The controller preset files kept in presets/ (MARROWLINK_PRESETS), read as the editor sends
// them: each F0..F7 message on its own.
inline QString presetPath(const char* name) {
    return QStringLiteral(MARROWLINK_PRESETS "/") + QLatin1String(name);
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline std::vector<std::vector<std::uint8_t>> sysexMessages(const QByteArray& bytes) {
    std::vector<std::vector<std::uint8_t>> messages;
    qsizetype start = -1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (std::uint8_t(bytes[i]) == 0xF0)
            start = i;
        else if (std::uint8_t(bytes[i]) == 0xF7 && start >= 0) {
            messages.emplace_back(bytes.begin() + start, bytes.begin() + i + 1);
            start = -1;
        }
    }
    return messages;
}

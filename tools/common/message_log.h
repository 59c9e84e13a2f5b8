#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>

// The --log file: one JSON object per line for each message received, written at once.
class MessageLog {
public:
    // No path: nothing is logged. False, with the reason, when the file cannot be written.
    bool Open(const QString& path, QString& problem);
    // Callers serialise.
    void Write(std::span<const std::uint8_t> bytes, const QString& change);

private:
    std::unique_ptr<QFile> file_;
    QElapsedTimer clock_;
};

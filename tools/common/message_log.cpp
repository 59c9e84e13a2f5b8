#include "message_log.h"

#include "named_files.h"

#include <QJsonDocument>
#include <QJsonObject>

bool MessageLog::Open(const QString& path, QString& problem) {
    clock_.start();
    if (path.isEmpty())
        return true;
    file_ = OpenForWriting(path, problem);
    if (!file_) {
        problem = QStringLiteral("cannot write the log %1: %2").arg(path, problem);
        return false;
    }
    return true;
}

void MessageLog::Write(std::span<const std::uint8_t> bytes, const QString& change) {
    if (!file_)
        return;
    const QByteArray raw(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    const QJsonObject line{
        {QStringLiteral("time"), double(clock_.elapsed()) / 1000.0},
        {QStringLiteral("bytes"), QString::fromLatin1(raw.toHex(' ').toUpper())},
        {QStringLiteral("change"), change},
    };
    file_->write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
    file_->flush();
}

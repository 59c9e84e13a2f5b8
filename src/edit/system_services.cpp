#include "edit/system_services.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

void ThreadSleeper::SleepMs(int milliseconds) {
    QThread::msleep(std::uint32_t(milliseconds));
}

void EventLoopSleeper::SleepMs(int milliseconds) {
    QEventLoop pause;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &pause, &QEventLoop::quit);
    pause.exec(QEventLoop::ExcludeUserInputEvents);
}

int UniformRandom::Random(int range) {
    if (range < 1)
        return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(engine_);
}

IniSettings::IniSettings(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

QVariant IniSettings::Value(const QString& section, const QString& key,
                            const QVariant& defaultValue) const {
    return settings_->value(section + QLatin1Char('/') + key, defaultValue);
}

void IniSettings::SetValue(const QString& section, const QString& key, const QVariant& value) {
    // Booleans are stored as 1 and 0, as the settings file has always held them.
    const QVariant stored =
        value.typeId() == QMetaType::Bool ? QVariant(value.toBool() ? 1 : 0) : value;
    settings_->setValue(section + QLatin1Char('/') + key, stored);
    settings_->sync();
}

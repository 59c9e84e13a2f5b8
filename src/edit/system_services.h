#pragma once

#include "views/services.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSettings>
#include <memory>
#include <random>

// The real clock, sleeper and random generator, and two settings stores: the INI file and one
// that lives in memory (for the bridge, which keeps no settings file).

class SystemClock : public Clock {
public:
    QTime TimeOfDay() const override { return QTime::currentTime(); }
    qint64 ElapsedMs() const override { return elapsed_.elapsed(); }

private:
    QElapsedTimer elapsed_ = startedTimer();
    static QElapsedTimer startedTimer() {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }
};

class ThreadSleeper : public Sleeper {
public:
    void SleepMs(int milliseconds) override;
};

// The window's pauses: the event loop goes on meanwhile (painting, timers, the window system's
// messages), without the user's input, which waits until the pause is over.
class EventLoopSleeper : public Sleeper {
public:
    void SleepMs(int milliseconds) override;
};

class UniformRandom : public RandomSource {
public:
    void Seed(std::uint32_t seed) override { engine_.seed(seed); }
    int Random(int range) override;

private:
    std::mt19937 engine_;
};

class MemorySettings : public SettingsStore {
public:
    QVariant Value(const QString& section, const QString& key,
                   const QVariant& defaultValue) const override {
        return values.value(section + QLatin1Char('/') + key, defaultValue);
    }
    void SetValue(const QString& section, const QString& key, const QVariant& value) override {
        values.insert(section + QLatin1Char('/') + key, value);
    }
    QHash<QString, QVariant> values;
};

class IniSettings : public SettingsStore {
public:
    explicit IniSettings(const QString& path);
    QVariant Value(const QString& section, const QString& key,
                   const QVariant& defaultValue) const override;
    void SetValue(const QString& section, const QString& key, const QVariant& value) override;

private:
    std::unique_ptr<QSettings> settings_;
};

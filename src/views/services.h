#pragma once

#include <QString>
#include <QTime>
#include <QVariant>
#include <cstdint>

// Time and chance, behind interfaces so that tests are exact and never sleep.

class Clock {
public:
    virtual ~Clock() = default;
    virtual QTime TimeOfDay() const = 0;
    // Milliseconds on a clock that never goes back (a pause between two turns of a knob).
    virtual qint64 ElapsedMs() const = 0;
};

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void SleepMs(int milliseconds) = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(std::uint32_t seed) = 0;
    // A uniformly distributed integer in 0 .. range - 1 (0 when range is below 1).
    virtual int Random(int range) = 0;
};

// The settings file: values by section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QVariant Value(const QString& section, const QString& key,
                           const QVariant& defaultValue) const = 0;
    virtual void SetValue(const QString& section, const QString& key, const QVariant& value) = 0;
};

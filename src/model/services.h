#pragma once

#include <QTime>
#include <cstdint>

// Time and chance, behind interfaces so that tests are exact and never sleep.

class Clock {
public:
    virtual ~Clock() = default;
    virtual QTime TimeOfDay() const = 0;
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

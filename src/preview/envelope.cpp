#include "preview/envelope.h"

#include "preview/sound_choices.h"

#include <algorithm>
#include <cmath>

namespace EnvelopeRates {
namespace {

constexpr int HighestRate = 63;
constexpr int FastestTimedRate = 60;
constexpr int InstantAttackRate = 62;

} // namespace

int Effective(int rate, int keyCode, int scaling) {
    if (rate <= 0)
        return 0;
    return std::min(HighestRate, 2 * rate + (keyCode >> (3 - scaling)));
}

int EffectiveRelease(int rate, int keyCode, int scaling) {
    return std::min(HighestRate, 4 * rate + 2 + (keyCode >> (3 - scaling)));
}

double DecaySeconds(int effectiveRate) {
    const int r = std::clamp(effectiveRate, 1, FastestTimedRate);
    return 8184.0 / (4 + r % 4) * std::exp2(11 - r / 4) / Choices.envelopeClockHz;
}

double AttackSeconds(int effectiveRate) {
    if (effectiveRate >= InstantAttackRate)
        return 0;
    return DecaySeconds(effectiveRate) * Choices.attackShareOfDecay;
}

} // namespace EnvelopeRates

namespace {

using EnvelopeRates::RangeDb;
// The attack ends on the last of the chip's 1024 attenuation steps.
constexpr double FloorStepDb = RangeDb / 1024;

} // namespace

double Envelope::Advance(const Rates& rates, double seconds) {
    while (seconds > 0) {
        switch (stage_) {
        case Stage::Attack:
            seconds = attack(rates.attack, seconds);
            if (db_ <= 0)
                stage_ = Stage::Decay1;
            break;
        case Stage::Decay1:
            seconds = rise(rates.decay1, rates.decay1LevelDb, seconds);
            if (db_ >= rates.decay1LevelDb)
                stage_ = Stage::Decay2;
            break;
        case Stage::Decay2:
            // Stays on the floor until the key is released.
            rise(rates.decay2, RangeDb, seconds);
            return db_;
        case Stage::Release:
            seconds = rise(rates.release, RangeDb, seconds);
            if (db_ >= RangeDb)
                stage_ = Stage::Done;
            break;
        case Stage::Done:
            return db_;
        }
    }
    return db_;
}

// Returns the time left over once the attack has ended.
double Envelope::attack(int rate, double seconds) {
    if (rate == 0)
        return 0;
    const double length = EnvelopeRates::AttackSeconds(rate);
    if (length == 0 || db_ <= FloorStepDb) {
        db_ = 0;
        return seconds;
    }
    // The attenuation falls by a fixed share of itself per unit of time.
    const double perSecond = std::log(RangeDb / FloorStepDb) / length;
    const double needed = std::log(db_ / FloorStepDb) / perSecond;
    if (seconds < needed) {
        db_ *= std::exp(-perSecond * seconds);
        return 0;
    }
    db_ = 0;
    return seconds - needed;
}

// Raises the attenuation towards target at the rate's speed; returns the time left over once it
// is reached.
double Envelope::rise(int rate, double target, double seconds) {
    if (db_ >= target)
        return seconds;
    if (rate == 0)
        return 0;
    const double perSecond = RangeDb / EnvelopeRates::DecaySeconds(rate);
    const double needed = (target - db_) / perSecond;
    if (seconds < needed) {
        db_ += perSecond * seconds;
        return 0;
    }
    db_ = target;
    return seconds - needed;
}

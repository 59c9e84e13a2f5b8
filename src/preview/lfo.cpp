#include "preview/lfo.h"

#include "preview/sound_choices.h"

#include <algorithm>
#include <cmath>

double Lfo::SpeedHz(int speed) {
    const double share = std::clamp(speed, 0, 99) / 99.0;
    return Choices.lfoSlowestHz * std::pow(Choices.lfoFastestHz / Choices.lfoSlowestHz, share);
}

double Lfo::DelaySeconds(int delay) {
    const double share = std::clamp(delay, 0, 99) / 99.0;
    return Choices.lfoLongestDelaySeconds * share * share;
}

void Lfo::Restart() {
    phase_ = 0;
    sampleNext();
}

void Lfo::Advance(double hz, double seconds) {
    phase_ += hz * seconds;
    if (phase_ >= 1) {
        phase_ -= std::floor(phase_);
        sampleNext();
    }
}

double Lfo::Value(int wave) const {
    switch (wave) {
    case SawUp:
        return 2 * phase_ - 1;
    case Square:
        return phase_ < 0.5 ? 1 : -1;
    case Triangle:
        if (phase_ < 0.25)
            return 4 * phase_;
        return phase_ < 0.75 ? 2 - 4 * phase_ : 4 * phase_ - 4;
    default:
        return held_;
    }
}

void Lfo::sampleNext() {
    // xorshift32: cheap, and the same sequence on every run.
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    held_ = random_ / 2147483647.5 - 1;
}

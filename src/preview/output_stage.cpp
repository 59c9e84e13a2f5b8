#include "preview/output_stage.h"

#include "preview/sound_choices.h"

#include <cmath>
#include <numbers>

void OutputStage::SetSampleRate(double sampleRate) {
    pole_ = float(std::exp(-2 * std::numbers::pi * Choices.dcBlockHz / sampleRate));
}

float OutputStage::Process(float sample) {
    if (!std::isfinite(sample))
        sample = 0;
    const float blocked = sample - lastIn_ + pole_ * lastOut_;
    lastIn_ = sample;
    // A filter left ringing into silence would sink into denormal numbers.
    lastOut_ = std::abs(blocked) < 1e-20f ? 0.0f : blocked;
    return Limit(lastOut_);
}

float OutputStage::Limit(float sample) {
    const float threshold = float(Choices.limiterThreshold);
    const float magnitude = std::abs(sample);
    if (magnitude <= threshold)
        return sample;
    const float room = 1 - threshold;
    const float limited = threshold + room * std::tanh((magnitude - threshold) / room);
    return sample < 0 ? -limited : limited;
}

#include "preview/fm_note.h"

#include "preview/algorithms.h"
#include "preview/frequency.h"
#include "preview/levels.h"
#include "preview/sound_choices.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double PhaseUnits = 4294967296.0; // 2^32: one period
// Below this the chip's output is gone.
constexpr double SilentDb = 140;

float gainOf(double attenuationDb) {
    return attenuationDb >= SilentDb ? 0.0f : float(std::pow(10.0, -attenuationDb / 20));
}

std::uint32_t incrementOf(double hz, double sampleRate) {
    double cycles = std::max(0.0, hz) / sampleRate;
    cycles -= std::floor(cycles);
    return std::uint32_t(cycles * PhaseUnits);
}

} // namespace

void FmNote::Start(int key, int velocity, std::uint64_t order) {
    key_ = key;
    velocity_ = velocity;
    held_ = true;
    sounding_ = true;
    secondsSinceStart_ = 0;
    startOrder_ = order;
    for (Operator& op : ops_) {
        op.phase = 0;
        op.envelope.Start();
    }
    feedback_ = {};
}

void FmNote::Release(std::uint64_t order) {
    held_ = false;
    releaseOrder_ = order;
    for (Operator& op : ops_)
        op.envelope.Release();
}

std::array<float, OperatorCount> FmNote::prepare(const NoteContext& context, double seconds) {
    const PreviewPatch& patch = *context.patch;
    const Modulation& modulation = context.modulation;
    secondsSinceStart_ += seconds;
    const double delay = patch.lfoDelaySeconds;
    const double lfoShare = delay > 0 ? std::min(1.0, secondsSinceStart_ / delay) : 1.0;

    const int note = std::clamp(key_ + patch.transpose, 0, 127);
    const int keyCode = Frequency::KeyCode(note);
    const double vibratoCents =
        context.lfoPitch * modulation.pitchDepth * patch.pitchSensitivityCents * lfoShare;
    const double noteHz = Frequency::NoteHz(note + modulation.pitchSemitones + vibratoCents / 100);
    const double tremoloDb =
        context.lfoAmplitude * modulation.amplitudeDepth * patch.amplitudeSensitivityDb * lfoShare;

    std::array<float, OperatorCount> targets{};
    bool carrierSounds = false;
    for (int i = 0; i < OperatorCount; ++i) {
        const OperatorPatch& p = patch.ops[std::size_t(i)];
        Operator& op = ops_[std::size_t(i)];
        const double hz = p.fixed ? p.fixedHz : p.ratio * noteHz + p.detuneHz * keyCode / 31.0;
        op.increment = incrementOf(hz, context.sampleRate);

        Envelope::Rates rates;
        rates.attack = EnvelopeRates::Effective(p.attackRate, keyCode, p.rateScaling);
        rates.decay1 = EnvelopeRates::Effective(p.decay1Rate, keyCode, p.rateScaling);
        rates.decay2 = EnvelopeRates::Effective(p.decay2Rate, keyCode, p.rateScaling);
        rates.release = EnvelopeRates::EffectiveRelease(p.releaseRate, keyCode, p.rateScaling);
        rates.decay1LevelDb = p.decay1LevelDb;
        const double envelopeDb = op.envelope.Advance(rates, seconds) / double(1 << p.shift);

        const bool carrier = Algorithms::IsCarrier(patch.algorithm, i);
        if (carrier && op.envelope.CurrentStage() != Envelope::Stage::Done)
            carrierSounds = true;
        const double attenuation = envelopeDb + p.levelDb +
                                   Levels::KeyScalingDb(p.keyScaling, note) +
                                   Levels::VelocityDb(p.velocitySensitivity, velocity_) +
                                   p.envelopeBiasSensitivity / 7.0 * modulation.envelopeBiasDb +
                                   (p.amplitudeModulation ? tremoloDb : 0.0);
        const double volume = carrier ? modulation.volume : 1.0;
        targets[std::size_t(i)] = p.on ? float(gainOf(attenuation) * volume) : 0.0f;
    }
    sounding_ = carrierSounds;
    return targets;
}

void FmNote::Render(const NoteContext& context, float* out, int frames) {
    if (!sounding_)
        return;
    const PreviewPatch& patch = *context.patch;
    const std::array<float, OperatorCount> targets = prepare(context, frames / context.sampleRate);
    const Algorithm& algorithm = Algorithms::Of(patch.algorithm);
    const Waveforms::Tables& waves = *context.waves;
    // Phase offsets from outputs: a modulator at full level moves its carrier's phase by the
    // full modulation; feedback scales operator 4's own output.
    const float modulationUnits =
        float(Choices.fullModulationRadians / (2 * std::numbers::pi) * PhaseUnits);
    const float feedbackUnits = float(patch.feedbackRadians / (2 * std::numbers::pi) * PhaseUnits);
    const float noteGain = float(Choices.noteGain);

    std::array<float, OperatorCount> steps{};
    std::array<int, OperatorCount> waveOf{};
    for (std::size_t i = 0; i < OperatorCount; ++i) {
        steps[i] = (targets[i] - ops_[i].gain) / float(frames);
        waveOf[i] = patch.ops[i].wave;
    }
    for (int n = 0; n < frames; ++n) {
        std::array<float, OperatorCount> outputs{};
        float heard = 0;
        for (int i = OperatorCount - 1; i >= 0; --i) {
            Operator& op = ops_[std::size_t(i)];
            float modulation = 0;
            for (int m = i + 1; m < OperatorCount; ++m)
                if ((algorithm.modulators[std::size_t(i)] >> m) & 1)
                    modulation += outputs[std::size_t(m)];
            float offset = modulation * modulationUnits;
            if (i == OperatorCount - 1)
                offset = (feedback_[0] + feedback_[1]) * 0.5f * feedbackUnits;
            op.gain += steps[std::size_t(i)];
            const auto phase = op.phase + std::uint32_t(std::int64_t(offset));
            const float value = waves.Read(waveOf[std::size_t(i)], phase) * op.gain;
            op.phase += op.increment;
            outputs[std::size_t(i)] = value;
            if ((algorithm.carriers >> i) & 1)
                heard += value;
        }
        feedback_[1] = feedback_[0];
        feedback_[0] = outputs[OperatorCount - 1];
        out[n] += heard * noteGain;
    }
    // The glide ends exactly on its target, so that a silent operator is exactly 0.
    for (std::size_t i = 0; i < OperatorCount; ++i)
        ops_[i].gain = targets[i];
}

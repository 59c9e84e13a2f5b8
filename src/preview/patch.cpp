#include "preview/patch.h"

#include "model/voice.h"
#include "preview/algorithms.h"
#include "preview/frequency.h"
#include "preview/levels.h"
#include "preview/lfo.h"
#include "preview/sound_choices.h"

#include <cmath>
#include <numbers>

namespace {

// Patch rows of the single records the sound uses.
enum Row {
    BendRangeRow = 4,
    LfoSpeedRow = 6,
    LfoDelayRow = 7,
    MonoRow = 12,
    LfoWaveRow = 14,
    LfoSyncRow = 15,
    PitchSensitivityRow = 22,
    AmplitudeSensitivityRow = 23,
    AlgorithmRow = 24,
    TransposeRow = 25,
    FeedbackRow = 26,
    PitchDepthRow = 30,
    AmplitudeDepthRow = 31,
};
// Rows of a modulation group.
enum ModRow { LfoPitchRow, LfoAmplitudeRow, PitchBiasRow, EnvelopeBiasRow };
constexpr int TransposeCentre = 24;
constexpr int PitchBiasCentre = 50;

int single(const Voice& voice, int row) {
    return voice.Value(*VoiceParam::Single(row));
}

int mod(const Voice& voice, ModSource source, int row, int absent) {
    const auto param = VoiceParam::Mod(int(source), row);
    return param ? voice.Value(*param) : absent;
}

OperatorPatch operatorPatch(const Voice& voice, int op, int algorithm) {
    OperatorPatch p;
    const auto field = [&](OpField f) { return voice.Op(op, f); };
    p.on = voice.Value(VoiceParam::OpSwitch(op)) != 0;
    p.wave = field(OpField::Wave);
    p.fixed = field(OpField::Fix) != 0;
    p.ratio = Frequency::Ratio(field(OpField::Coarse), field(OpField::Fine));
    p.fixedHz =
        Frequency::FixedHz(field(OpField::Coarse), field(OpField::Fine), field(OpField::FixRange));
    p.detuneHz = (field(OpField::Detune) - 3) / 3.0 * Choices.detuneHzAtTop * p.ratio;
    p.attackRate = field(OpField::AR);
    p.decay1Rate = field(OpField::D1R);
    p.decay2Rate = field(OpField::D2R);
    p.releaseRate = field(OpField::RR);
    p.rateScaling = field(OpField::RS);
    p.decay1LevelDb = (15 - field(OpField::D1L)) * 3.0;
    p.shift = field(OpField::Shift);
    p.levelDb = Levels::OutputLevelDb(field(OpField::Out));
    if (Algorithms::IsCarrier(algorithm, op))
        p.levelDb += Levels::CarrierCompensationDb(algorithm);
    p.keyScaling = field(OpField::LS);
    p.velocitySensitivity = field(OpField::KVS);
    p.envelopeBiasSensitivity = field(OpField::EBS);
    p.amplitudeModulation = field(OpField::AME) != 0;
    return p;
}

} // namespace

PreviewPatch CompilePatch(const Voice& voice) {
    PreviewPatch patch;
    patch.algorithm = single(voice, AlgorithmRow);
    for (int op = 0; op < OperatorCount; ++op)
        patch.ops[std::size_t(op)] = operatorPatch(voice, op, patch.algorithm);
    const int feedback = single(voice, FeedbackRow);
    patch.feedbackRadians = feedback == 0 ? 0 : std::numbers::pi / 16 * std::exp2(feedback - 1);

    patch.lfoHz = Lfo::SpeedHz(single(voice, LfoSpeedRow));
    patch.lfoWave = single(voice, LfoWaveRow);
    patch.lfoDelaySeconds = Lfo::DelaySeconds(single(voice, LfoDelayRow));
    patch.lfoKeySync = single(voice, LfoSyncRow) != 0;
    patch.pitchDepth = single(voice, PitchDepthRow);
    patch.amplitudeDepth = single(voice, AmplitudeDepthRow);
    patch.pitchSensitivityCents =
        Choices.pitchSensitivityCents[std::size_t(single(voice, PitchSensitivityRow))];
    patch.amplitudeSensitivityDb =
        Choices.amplitudeSensitivityDb[std::size_t(single(voice, AmplitudeSensitivityRow))];

    for (ModSource source :
         {ModSource::Aftertouch, ModSource::ModWheel, ModSource::Breath, ModSource::Foot}) {
        SourceDepths& depths = patch.sources[std::size_t(source)];
        depths.lfoPitch = mod(voice, source, LfoPitchRow, 0);
        depths.lfoAmplitude =
            source == ModSource::Foot ? 0 : mod(voice, source, LfoAmplitudeRow, 0);
        depths.pitchBias = mod(voice, source, PitchBiasRow, PitchBiasCentre) - PitchBiasCentre;
        depths.envelopeBias = mod(voice, source, EnvelopeBiasRow, 0);
    }
    patch.footVolume = mod(voice, ModSource::Foot, LfoAmplitudeRow, 0);

    patch.transpose = single(voice, TransposeRow) - TransposeCentre;
    patch.bendRange = single(voice, BendRangeRow);
    patch.mono = single(voice, MonoRow) != 0;
    return patch;
}

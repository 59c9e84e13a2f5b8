#pragma once

#include "model/domain.h"

#include <array>

class Voice;

// A voice as the sound engine reads it: every value it plays from, in the units it plays in,
// with nothing that depends on the note. A plain value that copies without allocating, so that
// it can be handed to the audio thread.
struct OperatorPatch {
    bool on = false;
    int wave = 0;
    bool fixed = false;
    double ratio = 1;    // ratio mode
    double fixedHz = 0;  // fixed mode
    double detuneHz = 0; // the offset at key code 31, already times the ratio
    // As stored: attack, decay 1 and decay 2 0..31, release 0..15, rate scaling 0..3.
    int attackRate = 0;
    int decay1Rate = 0;
    int decay2Rate = 0;
    int releaseRate = 0;
    int rateScaling = 0;
    double decay1LevelDb = 0;
    int shift = 0;      // the envelope's range is 96 dB / 2^shift
    double levelDb = 0; // the output level's attenuation, with the carrier compensation
    int keyScaling = 0;
    int velocitySensitivity = 0;
    int envelopeBiasSensitivity = 0;
    bool amplitudeModulation = false;
};

// What one modulation source's position does at full travel. Foot's amplitude row is its volume.
struct SourceDepths {
    int lfoPitch = 0;     // 0..99, added to the LFO's pitch depth
    int lfoAmplitude = 0; // 0..99, added to the LFO's amplitude depth
    int pitchBias = 0;    // -50..50
    int envelopeBias = 0; // 0..99
};

enum class ModSource { Aftertouch, ModWheel, Breath, Foot };

struct PreviewPatch {
    std::array<OperatorPatch, OperatorCount> ops;
    int algorithm = 0;
    double feedbackRadians = 0; // peak phase deviation operator 4 gives itself

    double lfoHz = 0;
    int lfoWave = 0;
    double lfoDelaySeconds = 0;
    bool lfoKeySync = false;
    int pitchDepth = 0;     // 0..99
    int amplitudeDepth = 0; // 0..99
    double pitchSensitivityCents = 0;
    double amplitudeSensitivityDb = 0;

    std::array<SourceDepths, ModGroupCount> sources; // in ModSource order
    int footVolume = 0;                              // 0..99

    int transpose = 0; // semitones
    int bendRange = 0; // semitones
    bool mono = false;
};

PreviewPatch CompilePatch(const Voice& voice);

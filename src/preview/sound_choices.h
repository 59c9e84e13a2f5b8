#pragma once

#include <array>
#include <numbers>

// Everything the preview had to choose where the chip's published facts are missing, uncertain or
// only partly published. One table, so that a better measurement corrects it here and nowhere
// else; the README lists the same choices and why.
//
// Behaviour the numbers below cannot say:
// - A rate of 0 (attack, decay 1, decay 2) holds the envelope where it is: attack 0 stays silent.
// - Fixed-frequency operators ignore the key, transpose, pitch bend, pitch bias and the LFO.
// - One LFO serves every note (the chip has one); key sync restarts it at each note-on, and the
//   delay ramps the depth in for each note from its own note-on.
// - Mono plays the newest held key; releasing it returns to the newest key still held. A new note
//   re-attacks from the level the envelope has reached, as a stolen note does.
// - A note ends when every carrier's release has reached the envelope's floor, whatever the EG
//   shift leaves audible; portamento and the effect unit are not modelled.
// - The operator switches silence an operator, which then modulates nothing either.
// - A modulation source that has sent no position yet is taken as not connected: it adds no depth,
//   no bias and no volume change, so that a voice made for a breath controller or a volume pedal
//   still sounds without one. Once it has sent one, 0 is its rest. The pitch rows are a bias of
//   -50..+50 around 50 for all three sources, as the editor's knob shows them; the envelope
//   biases of the sources add up to at most the bias range; the foot's volume row lowers the
//   volume by its depth with the pedal at 0 and not at all with it full.
struct SoundChoices {
    // Peak phase deviation, in radians, that a modulator at full level gives its carrier.
    // Feedback 7 reaches the same deviation (pi/16 * 2^6), which agrees with the chip's sums.
    double fullModulationRadians = 4 * std::numbers::pi;

    // The attack runs in the log domain: the attenuation falls by a fixed share of itself per
    // envelope step, reaching the floor step in about 16 ln(1024) / 1024 of the time a decay at
    // the same rate takes for the whole range.
    double attackShareOfDecay = 16 * 10 * std::numbers::ln2 / 1024; // ln(1024) = 10 ln 2
    // The envelope's clock: the chip's sample rate (about 55.9 kHz) over 3.
    double envelopeClockHz = 55930.0 / 3;

    // Output level above 19 is taken as total level 99 - level (an inference).
    // Attenuation added to each carrier by algorithm (1..8) so that n carriers sum to about the
    // level of one.
    std::array<double, 8> carrierCompensationDb{0, 0, 0, 0, 6, 9.75, 9.75, 12};

    // Key level scaling: attenuation per octave above the break note at level 99.
    int keyScalingBreakNote = 36;
    double keyScalingDbPerOctave = 12;
    // Velocity sensitivity 7 at velocity 1 attenuates this much; linear in dB between.
    double velocityRangeDb = 24;

    // Detune -3..+3 moves an operator by up to this many hertz times its ratio, at key code 31,
    // in proportion to the key code.
    double detuneHzAtTop = 1.2;
    // The published ratio chart ends the fine steps of the 0.5 multipliers at 7; higher values
    // play as 7.
    int halfMultiplierFineLimit = 7;

    // LFO speed 0..99 is geometric between these.
    double lfoSlowestHz = 0.008;
    double lfoFastestHz = 50;
    // LFO delay 99 ramps the depth in over this long; the ramp grows with the square of the delay.
    double lfoLongestDelaySeconds = 8;
    // Pitch modulation sensitivity 0..7 (peak deviation at full depth) and amplitude modulation
    // sensitivity 0..3 (attenuation at full depth and the LFO's top).
    std::array<double, 8> pitchSensitivityCents{0, 5, 10, 20, 50, 100, 400, 700};
    std::array<double, 4> amplitudeSensitivityDb{0, 23.9, 47.8, 95.6};

    // Pitch bias -50..+50 with its controller at full moves the pitch this far at +-50.
    double pitchBiasCentsAtFull = 1200;
    // Envelope bias 99 with sensitivity 7 attenuates this much with its controller at rest.
    double envelopeBiasRangeDb = 48;

    // A note with one carrier at full level peaks at this; the sum goes through a limiter that is
    // linear up to its threshold and approaches 1 above it.
    double noteGain = 0.25;
    double limiterThreshold = 0.5;
    // The output is AC coupled, as a synth's is: the half-wave forms carry DC.
    double dcBlockHz = 5;
};

inline constexpr SoundChoices Choices{};

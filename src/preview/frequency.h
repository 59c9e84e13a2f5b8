#pragma once

// An operator's frequency: the ratio of coarse and fine, or a fixed frequency, and the key code
// that the envelope's rate scaling and detune follow.
namespace Frequency {

constexpr int CoarseCount = 64;

// Coarse 0..63: the multipliers 0.5, 1, 2 .. 15 times the four steps x1, x1.41, x1.57, x1.73,
// sorted.
double CoarseRatio(int coarse);
// The ratio with fine 0..15 added: each fine step is 1/16 of the coarse value's step factor.
double Ratio(int coarse, int fine);
// Fixed mode: max(8, 16 * (coarse >> 2) + fine) * 2^range hertz.
double FixedHz(int coarse, int fine, int range);
// 0..31: four codes an octave, from C0 (MIDI note 12).
int KeyCode(int note);
// The equal-tempered frequency of a note that may carry a fraction of a semitone; A4 is 440 Hz.
double NoteHz(double note);

} // namespace Frequency

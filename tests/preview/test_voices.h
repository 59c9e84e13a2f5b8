#pragma once

#include "model/voice.h"

#include <vector>

constexpr int TestRate = 48000;
constexpr int A4 = 69;
// Patch rows the tests set.
constexpr int AlgorithmRow = 24;
constexpr int TransposeRow = 25;
constexpr int FeedbackRow = 26;

void SetSingle(Voice& voice, int row, int value);

// Every operator a sine at ratio 1.00 without detune, at full level the moment the key goes
// down and held there, released at once; no velocity or key scaling, no LFO, no modulation.
// Output levels are 0 and only the operators given are switched on.
Voice PlainVoice(int algorithm, std::initializer_list<int> switchedOn);
// Operator 1 alone at output level 99 in algorithm 1.
Voice LoneCarrier();

// The 64 products of the multipliers 0.5, 1 .. 15 and the steps 0, 600, 781, 950 cents, sorted:
// coarse value n gives entry n.
std::vector<double> CoarseRatios();
// The coarse value of a ratio in that list.
int CoarseFor(double ratio);

// The first channel of a note held for that long through the engine.
std::vector<float> HeldNote(const Voice& voice, int note, double seconds, int velocity = 100,
                            int sampleRate = TestRate);

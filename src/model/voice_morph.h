#pragma once

#include "model/voice.h"

// A voice between two others: every parameter with a continuous range is interpolated and rounded;
// a parameter whose values are choices (the algorithm, the waves, switches, fixed frequency and its
// range, the EG shift, the LFO wave, the effect type, mono) changes at 50 %. The name is the
// second voice's.
Voice MorphVoice(const Voice& from, const Voice& to, int percent); // percent 0..100

// Whether a parameter's values are choices rather than a range.
bool IsChoice(VoiceParam param);

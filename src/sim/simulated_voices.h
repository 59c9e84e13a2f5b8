#pragma once

#include "sim/simulated_synth.h"

#include <vector>

// The simulated synth's own voices, written through the editor's bulk layouts.
std::vector<SimulatedSynth::Voice> BuiltInVoices();

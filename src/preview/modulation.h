#pragma once

#include "preview/patch.h"

#include <array>

// Where the player's controllers are: each modulation source 0..1 (ModSource order), or
// NotConnected until it has sent a position, and the pitch bend -1..1.
struct ControllerPositions {
    static constexpr double NotConnected = -1;
    std::array<double, ModGroupCount> sources{NotConnected, NotConnected, NotConnected,
                                              NotConnected};
    double bend = 0;
};

// What the controllers do to every note of a patch, before the LFO's wave and each note's own.
struct Modulation {
    double pitchDepth = 0;     // 0..1 of the pitch sensitivity's deviation
    double amplitudeDepth = 0; // 0..1 of the amplitude sensitivity's attenuation
    double pitchSemitones = 0; // bend and pitch bias
    double envelopeBiasDb = 0; // at envelope bias sensitivity 7
    double volume = 1;         // foot
};

Modulation ModulationOf(const PreviewPatch& patch, const ControllerPositions& controllers);

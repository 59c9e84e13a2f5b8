#include "preview/modulation.h"

#include "preview/sound_choices.h"

#include <algorithm>

Modulation ModulationOf(const PreviewPatch& patch, const ControllerPositions& controllers) {
    Modulation m;
    double pitchDepth = patch.pitchDepth;
    double amplitudeDepth = patch.amplitudeDepth;
    double biasShare = 0;
    double pitchBias = 0;
    for (std::size_t g = 0; g < patch.sources.size(); ++g) {
        if (controllers.sources[g] == ControllerPositions::NotConnected)
            continue;
        const SourceDepths& depths = patch.sources[g];
        const double position = std::clamp(controllers.sources[g], 0.0, 1.0);
        pitchDepth += depths.lfoPitch * position;
        amplitudeDepth += depths.lfoAmplitude * position;
        pitchBias += depths.pitchBias / 50.0 * position;
        // The bias holds the level down until its controller is moved.
        biasShare += depths.envelopeBias / 99.0 * (1 - position);
    }
    m.pitchDepth = std::min(pitchDepth, 99.0) / 99;
    m.amplitudeDepth = std::min(amplitudeDepth, 99.0) / 99;
    m.pitchSemitones =
        controllers.bend * patch.bendRange + pitchBias * Choices.pitchBiasCentsAtFull / 100;
    m.envelopeBiasDb = std::min(biasShare, 1.0) * Choices.envelopeBiasRangeDb;
    const double foot = controllers.sources[std::size_t(ModSource::Foot)];
    if (foot != ControllerPositions::NotConnected)
        m.volume = 1 - patch.footVolume / 99.0 * (1 - std::clamp(foot, 0.0, 1.0));
    return m;
}

#include "preview/levels.h"

#include "preview/sound_choices.h"

#include <algorithm>
#include <array>

namespace Levels {
namespace {

// The chip's curve for the lowest output levels; above them a step of level is a step of total
// level.
constexpr std::array<int, 20> LowLevels{127, 122, 118, 114, 110, 107, 104, 102, 100, 98,
                                        96,  94,  92,  90,  88,  86,  85,  84,  82,  81};

} // namespace

int TotalLevel(int outputLevel) {
    const int level = std::clamp(outputLevel, 0, 99);
    return level < int(LowLevels.size()) ? LowLevels[std::size_t(level)] : 99 - level;
}

double OutputLevelDb(int outputLevel) {
    return TotalLevel(outputLevel) * DbPerTotalLevelStep;
}

double CarrierCompensationDb(int algorithm) {
    return Choices.carrierCompensationDb[std::size_t(std::clamp(algorithm, 0, 7))];
}

double KeyScalingDb(int scaling, int note) {
    const double octaves = std::max(0, note - Choices.keyScalingBreakNote) / 12.0;
    return scaling / 99.0 * Choices.keyScalingDbPerOctave * octaves;
}

double VelocityDb(int sensitivity, int velocity) {
    const int v = std::clamp(velocity, 1, 127);
    return sensitivity / 7.0 * Choices.velocityRangeDb * (127 - v) / 126.0;
}

} // namespace Levels

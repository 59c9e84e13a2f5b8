#include "preview/frequency.h"

#include "preview/sound_choices.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Frequency {
namespace {

// The chip's second multiplier, as offsets of 0, 600, 781 and 950 cents.
const std::array<double, 4> StepFactors{1.0, std::exp2(600 / 1200.0), std::exp2(781 / 1200.0),
                                        std::exp2(950 / 1200.0)};

struct CoarseEntry {
    double multiplier;
    int step; // index into StepFactors
};

std::array<CoarseEntry, CoarseCount> sortedEntries() {
    std::array<CoarseEntry, CoarseCount> entries{};
    for (int m = 0; m < 16; ++m)
        for (int step = 0; step < 4; ++step)
            entries[std::size_t(m * 4 + step)] = {m == 0 ? 0.5 : double(m), step};
    std::sort(entries.begin(), entries.end(), [](const CoarseEntry& a, const CoarseEntry& b) {
        return a.multiplier * StepFactors[std::size_t(a.step)] <
               b.multiplier * StepFactors[std::size_t(b.step)];
    });
    return entries;
}

const CoarseEntry& entryOf(int coarse) {
    static const std::array<CoarseEntry, CoarseCount> entries = sortedEntries();
    return entries[std::size_t(std::clamp(coarse, 0, CoarseCount - 1))];
}

} // namespace

double CoarseRatio(int coarse) {
    return Ratio(coarse, 0);
}

double Ratio(int coarse, int fine) {
    const CoarseEntry& entry = entryOf(coarse);
    const int steps = entry.multiplier < 1 ? std::min(fine, Choices.halfMultiplierFineLimit) : fine;
    return (entry.multiplier + steps / 16.0) * StepFactors[std::size_t(entry.step)];
}

double FixedHz(int coarse, int fine, int range) {
    return std::max(8, 16 * (coarse >> 2) + fine) * double(1 << range);
}

int KeyCode(int note) {
    return std::clamp((note - 12) / 3, 0, 31);
}

double NoteHz(double note) {
    return 440.0 * std::exp2((note - 69) / 12);
}

} // namespace Frequency

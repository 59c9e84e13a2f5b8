#include "preview/waveforms.h"

#include <cmath>
#include <numbers>

namespace Waveforms {
namespace {

double sine(double phase) {
    return std::sin(2 * std::numbers::pi * phase);
}

// Rises as 1 - cos from each zero crossing to a sharp peak.
double peakedSine(double phase) {
    const double angle = 2 * std::numbers::pi * phase;
    const double magnitude = 1 - std::abs(std::cos(angle));
    return std::sin(angle) < 0 ? -magnitude : magnitude;
}

double base(int wave, double phase) {
    return wave % 2 == 0 ? sine(phase) : peakedSine(phase);
}

} // namespace

double Shape(int wave, double phase) {
    const bool firstHalf = phase < 0.5;
    switch (wave / 2) {
    case 0:
        return base(wave, phase);
    case 1:
        return firstHalf ? base(wave, phase) : 0;
    case 2:
        return firstHalf ? base(wave, 2 * phase) : 0;
    default:
        return firstHalf ? std::abs(base(wave, 2 * phase)) : 0;
    }
}

Tables::Tables() {
    for (int wave = 0; wave < Count; ++wave) {
        auto& table = tables_[std::size_t(wave)];
        for (int i = 0; i <= Size; ++i)
            table[std::size_t(i)] = float(Shape(wave, double(i % Size) / Size));
    }
}

} // namespace Waveforms

#include "sound_measures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double AmplitudeAt(std::span<const float> samples, double hz, double sampleRate) {
    const double n = double(samples.size());
    const double w = 2 * std::numbers::pi * hz / sampleRate;
    const double coefficient = 2 * std::cos(w);
    double s1 = 0, s2 = 0, windowSum = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double window = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / (n - 1));
        windowSum += window;
        const double s0 = samples[i] * window + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2 * std::sqrt(std::max(0.0, power)) / windowSum;
}

double ToneHz(std::span<const float> samples, double sampleRate) {
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) {
            const double at = double(i - 1) + samples[i - 1] / (samples[i - 1] - samples[i]);
            if (first < 0)
                first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0 : (crossings - 1) * sampleRate / (last - first);
}

std::vector<double> PeakEnvelope(std::span<const float> samples, int window) {
    std::vector<double> peaks;
    for (std::size_t start = 0; start + std::size_t(window) <= samples.size();
         start += std::size_t(window)) {
        double peak = 0;
        for (std::size_t i = start; i < start + std::size_t(window); ++i)
            peak = std::max(peak, double(std::abs(samples[i])));
        peaks.push_back(peak);
    }
    return peaks;
}

int FirstAtOrAbove(const std::vector<double>& envelope, double level, int start) {
    for (std::size_t i = std::size_t(start); i < envelope.size(); ++i)
        if (envelope[i] >= level)
            return int(i);
    return -1;
}

int FirstBelow(const std::vector<double>& envelope, double level, int start) {
    for (std::size_t i = std::size_t(start); i < envelope.size(); ++i)
        if (envelope[i] < level)
            return int(i);
    return -1;
}

double Db(double ratio) {
    return 20 * std::log10(ratio);
}

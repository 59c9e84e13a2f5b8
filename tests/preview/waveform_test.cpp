#include "sound_measures.h"
#include "test_voices.h"

#include <cmath>
#include <complex>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

double sine(double t) {
    return std::sin(2 * Pi * t);
}
// Rises as 1 - cos from each zero crossing to a sharp peak at the quarter.
double peaked(double t) {
    const double magnitude = 1 - std::abs(std::cos(2 * Pi * t));
    return std::sin(2 * Pi * t) < 0 ? -magnitude : magnitude;
}

// The eight shapes as the chip's documentation describes them, over one period t in [0, 1).
const std::function<double(double)> Shapes[8] = {
    sine,
    peaked,
    [](double t) { return t < 0.5 ? sine(t) : 0; },
    [](double t) { return t < 0.5 ? peaked(t) : 0; },
    [](double t) { return t < 0.5 ? sine(2 * t) : 0; },
    [](double t) { return t < 0.5 ? peaked(2 * t) : 0; },
    [](double t) { return t < 0.5 ? std::abs(sine(2 * t)) : 0; },
    [](double t) { return t < 0.5 ? std::abs(peaked(2 * t)) : 0; },
};

// |c_h| of the shape's Fourier series, by the midpoint rule.
double harmonic(const std::function<double(double)>& shape, int h) {
    constexpr int Steps = 1 << 16;
    std::complex<double> sum;
    for (int i = 0; i < Steps; ++i) {
        const double t = (i + 0.5) / Steps;
        sum += shape(t) * std::polar(1.0, -2 * Pi * h * t);
    }
    return 2 * std::abs(sum) / Steps;
}

constexpr int Harmonics = 10;

TEST(Waveforms, HarmonicContentMatchesEachShape) {
    for (int wave = 0; wave < 8; ++wave) {
        Voice voice = LoneCarrier();
        voice.Set(VoiceParam::Op(0, OpField::Wave), wave);
        const std::vector<float> sound = HeldNote(voice, A4 - 12, 1.1);
        const auto settled = std::span(sound).subspan(TestRate / 20, TestRate);
        std::vector<double> measured, expected;
        for (int h = 1; h <= Harmonics; ++h) {
            measured.push_back(AmplitudeAt(settled, 220.0 * h, TestRate));
            expected.push_back(harmonic(Shapes[wave], h));
        }
        const double measuredTop = *std::max_element(measured.begin(), measured.end());
        const double expectedTop = *std::max_element(expected.begin(), expected.end());
        for (std::size_t h = 0; h < measured.size(); ++h) {
            if (expected[h] < expectedTop * 1e-3)
                EXPECT_LT(measured[h], measuredTop * 2e-3) << "W" << wave + 1 << " h" << h + 1;
            else
                EXPECT_NEAR(Db(measured[h] / measuredTop), Db(expected[h] / expectedTop), 0.2)
                    << "W" << wave + 1 << " h" << h + 1;
        }
    }
}

TEST(Waveforms, TheHalfSineHasTheRectifiedSinesSeries) {
    // Half-wave rectified sine: 1/2 at the fundamental, 2 / (pi (n^2 - 1)) at even n, no odd ones.
    Voice voice = LoneCarrier();
    voice.Set(VoiceParam::Op(0, OpField::Wave), 2);
    const std::vector<float> sound = HeldNote(voice, A4 - 12, 1.1);
    const auto settled = std::span(sound).subspan(TestRate / 20, TestRate);
    const double first = AmplitudeAt(settled, 220, TestRate);
    EXPECT_NEAR(Db(AmplitudeAt(settled, 440, TestRate) / first), Db(4 / (3 * Pi)), 0.1);
    EXPECT_NEAR(Db(AmplitudeAt(settled, 880, TestRate) / first), Db(4 / (15 * Pi)), 0.1);
    EXPECT_LT(AmplitudeAt(settled, 660, TestRate) / first, 1e-3);
}

} // namespace

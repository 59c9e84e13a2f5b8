#include "sound_measures.h"
#include "test_voices.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr double FullModulation = 4 * std::numbers::pi;

// The chip's total level of an output level (0.75 dB a step).
double outputDb(int level) {
    static const int low[20] = {127, 122, 118, 114, 110, 107, 104, 102, 100, 98,
                                96,  94,  92,  90,  88,  86,  85,  84,  82,  81};
    return 0.75 * (level < 20 ? low[level] : 99 - level);
}

std::span<const float> settled(const std::vector<float>& sound) {
    return std::span(sound).subspan(TestRate / 20, TestRate);
}

TEST(TwoOperatorStack, SidebandsFollowTheBesselFunctions) {
    // Carrier at ratio 10, modulator at ratio 1: on A3 the sidebands fall at 2200 +- 220 k Hz,
    // far from where negative ones would fold back.
    for (int modulatorLevel : {70, 75}) {
        Voice voice = PlainVoice(0, {0, 1});
        voice.Set(VoiceParam::Op(0, OpField::Coarse), CoarseFor(10.0));
        voice.Set(VoiceParam::Op(0, OpField::Out), 99);
        voice.Set(VoiceParam::Op(1, OpField::Out), modulatorLevel);
        Voice unmodulated = voice;
        unmodulated.Set(VoiceParam::OpSwitch(1), 0);
        const std::vector<float> plain = HeldNote(unmodulated, A4 - 12, 1.1);
        const std::vector<float> sound = HeldNote(voice, A4 - 12, 1.1);
        const double carrier = AmplitudeAt(settled(plain), 2200, TestRate);

        const double index = FullModulation * std::pow(10, -outputDb(modulatorLevel) / 20);
        for (int k = 0; k <= 3; ++k) {
            const double expected = Db(std::abs(std::cyl_bessel_j(double(k), index)));
            for (int side : {-1, 1}) {
                const double hz = 2200 + side * k * 220;
                EXPECT_NEAR(Db(AmplitudeAt(settled(sound), hz, TestRate) / carrier), expected, 1)
                    << "level " << modulatorLevel << ", sideband " << side * k;
            }
        }
    }
}

TEST(Feedback, Operator4ModulatesItselfByItsPhaseDeviation) {
    // A sine that modulates its own phase by beta times its output has the harmonics
    // 2 J_n(n beta) / (n beta) (for beta below 1). Feedback follows the operator's output, which
    // algorithm 8 sets 12 dB down as it does every carrier.
    for (int feedback = 1; feedback <= 4; ++feedback) {
        Voice voice = PlainVoice(7, {3});
        voice.Set(VoiceParam::Op(3, OpField::Out), 99);
        SetSingle(voice, FeedbackRow, feedback);
        const std::vector<float> sound = HeldNote(voice, A4, 1.1);
        const double beta = std::numbers::pi / 16 * std::exp2(feedback - 1) * std::pow(10, -0.6);
        const auto harmonic = [&](int n) {
            return 2 * std::cyl_bessel_j(double(n), n * beta) / (n * beta);
        };
        const double first = AmplitudeAt(settled(sound), 440, TestRate);
        for (int n = 2; n <= 3; ++n)
            EXPECT_NEAR(Db(AmplitudeAt(settled(sound), 440.0 * n, TestRate) / first),
                        Db(harmonic(n) / harmonic(1)), 1)
                << "feedback " << feedback << ", harmonic " << n;
    }
}

// The connections of each algorithm as the synth's documentation draws them: {from, to},
// operators 1..4.
struct Connection {
    int from, to;
};
const std::vector<std::vector<Connection>> Drawn{{{4, 3}, {3, 2}, {2, 1}},
                                                 {{4, 2}, {3, 2}, {2, 1}},
                                                 {{4, 1}, {3, 2}, {2, 1}},
                                                 {{4, 3}, {3, 1}, {2, 1}},
                                                 {{4, 3}, {2, 1}},
                                                 {{4, 3}, {4, 2}, {4, 1}},
                                                 {{4, 3}},
                                                 {}};
const std::vector<std::vector<int>> Heard{{1},    {1},       {1},       {1},
                                          {1, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3, 4}};

bool feeds(int algorithm, int from, int to) {
    for (const Connection& c : Drawn[std::size_t(algorithm)])
        if (c.from == from && (c.to == to || feeds(algorithm, c.to, to)))
            return true;
    return false;
}

std::vector<float> withSwitches(int algorithm, unsigned mask, double seconds = 0.1) {
    Voice voice = PlainVoice(algorithm, {});
    for (int op = 0; op < OperatorCount; ++op) {
        voice.Set(VoiceParam::Op(op, OpField::Coarse), CoarseFor(op + 1.0));
        voice.Set(VoiceParam::Op(op, OpField::Out), 80);
        voice.Set(VoiceParam::OpSwitch(op), (mask >> op) & 1);
    }
    return HeldNote(voice, A4 - 12, seconds);
}

double peak(const std::vector<float>& sound) {
    double p = 0;
    for (float s : sound)
        p = std::max(p, double(std::abs(s)));
    return p;
}

// What one carrier adds to the sound with these operators on: carriers never modulate, and the
// output is linear at these levels, so it is the difference its switch makes.
std::vector<float> carrierPart(int algorithm, unsigned mask, int carrier) {
    std::vector<float> with = withSwitches(algorithm, mask);
    const std::vector<float> without = withSwitches(algorithm, mask & ~(1u << carrier));
    for (std::size_t i = 0; i < with.size(); ++i)
        with[i] -= without[i];
    return with;
}

double largestDifference(const std::vector<float>& a, const std::vector<float>& b) {
    double d = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        d = std::max(d, double(std::abs(a[i] - b[i])));
    return d;
}

TEST(Algorithms, EachSoundsExactlyItsCarriers) {
    for (int algorithm = 0; algorithm < 8; ++algorithm)
        for (int op = 0; op < OperatorCount; ++op) {
            const auto& heard = Heard[std::size_t(algorithm)];
            const bool carrier = std::find(heard.begin(), heard.end(), op + 1) != heard.end();
            EXPECT_EQ(peak(withSwitches(algorithm, 1u << op)) > 1e-3, carrier)
                << "algorithm " << algorithm + 1 << ", operator " << op + 1 << " alone";
        }
}

TEST(Algorithms, SilencingAModulatorChangesOnlyTheCarriersItFeeds) {
    for (int algorithm = 0; algorithm < 8; ++algorithm) {
        const auto& heard = Heard[std::size_t(algorithm)];
        for (int modulator = 1; modulator <= 4; ++modulator) {
            if (std::find(heard.begin(), heard.end(), modulator) != heard.end())
                continue;
            const unsigned all = 0xF, without = all & ~(1u << (modulator - 1));
            for (int carrier : heard) {
                const double change =
                    largestDifference(carrierPart(algorithm, all, carrier - 1),
                                      carrierPart(algorithm, without, carrier - 1));
                if (feeds(algorithm, modulator, carrier))
                    EXPECT_GT(change, 1e-3);
                else
                    EXPECT_LT(change, 1e-6);
                if (HasFailure()) {
                    ADD_FAILURE() << "algorithm " << algorithm + 1 << ", modulator " << modulator
                                  << ", carrier " << carrier;
                    return;
                }
            }
        }
    }
}

// The sound of an algorithm's drawing, computed here: operator k at ratio k on A3, each at
// output level 80 and held, every output 0.75 dB a step down and moving its carriers' phases by
// the full modulation.
std::vector<float> drawnSound(int algorithm) {
    const double gain = std::pow(10, -outputDb(80) / 20);
    std::vector<float> sound(std::size_t(TestRate + TestRate / 20));
    for (std::size_t n = 0; n < sound.size(); ++n) {
        const double t = double(n) / TestRate;
        double outputs[5] = {};
        for (int op = 4; op >= 1; --op) {
            double modulation = 0;
            for (const Connection& c : Drawn[std::size_t(algorithm)])
                if (c.to == op)
                    modulation += outputs[c.from];
            outputs[op] =
                gain * std::sin(2 * std::numbers::pi * 220 * op * t + FullModulation * modulation);
        }
        for (int carrier : Heard[std::size_t(algorithm)])
            sound[n] += float(outputs[carrier]);
    }
    return sound;
}

TEST(Algorithms, EachSoundsAsItsDrawing) {
    for (int algorithm = 0; algorithm < 8; ++algorithm) {
        const std::vector<float> expected = drawnSound(algorithm);
        const std::vector<float> sound = withSwitches(algorithm, 0xF, 1.1);
        // Both as harmonics of 220 Hz against their own strongest, which sets the scale.
        std::vector<double> ours, drawn;
        for (int h = 1; h <= 12; ++h) {
            ours.push_back(AmplitudeAt(settled(sound), 220.0 * h, TestRate));
            drawn.push_back(AmplitudeAt(settled(expected), 220.0 * h, TestRate));
        }
        const double oursTop = *std::max_element(ours.begin(), ours.end());
        const double drawnTop = *std::max_element(drawn.begin(), drawn.end());
        for (std::size_t h = 0; h < ours.size(); ++h) {
            if (drawn[h] < drawnTop * 0.003)
                EXPECT_LT(ours[h], oursTop * 0.006) << "algorithm " << algorithm + 1;
            else
                EXPECT_NEAR(Db(ours[h] / oursTop), Db(drawn[h] / drawnTop), 0.5)
                    << "algorithm " << algorithm + 1 << ", harmonic " << h + 1;
        }
    }
}

} // namespace

#include "preview/preview_engine.h"
#include "sound_measures.h"
#include "test_voices.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int LfoSpeedRow = 6, LfoWaveRow = 14, AmplitudeSensitivityRow = 23,
              AmplitudeDepthRow = 31;
constexpr int Square = 1;
constexpr int Window = 24; // two periods of the carrier

// The chosen speed curve: geometric from 0.008 Hz at 0 to 50 Hz at 99.
double lfoHz(int speed) {
    return 0.008 * std::pow(50 / 0.008, speed / 99.0);
}

// A carrier near 4 kHz whose amplitude a square LFO switches fully off and on.
Voice tremolo(int speed, int depth) {
    Voice voice = LoneCarrier();
    voice.Set(VoiceParam::Op(0, OpField::Coarse), CoarseFor(9.0));
    voice.Set(VoiceParam::Op(0, OpField::AME), 1);
    SetSingle(voice, LfoSpeedRow, speed);
    SetSingle(voice, LfoWaveRow, Square);
    SetSingle(voice, AmplitudeSensitivityRow, 3);
    SetSingle(voice, AmplitudeDepthRow, depth);
    return voice;
}

// The times the sound comes back on, in seconds.
std::vector<double> onsets(const std::vector<float>& sound) {
    const std::vector<double> envelope = PeakEnvelope(sound, Window);
    const double full = *std::max_element(envelope.begin(), envelope.end());
    std::vector<double> times;
    bool on = true;
    for (std::size_t i = 0; i < envelope.size(); ++i) {
        const bool loud = envelope[i] > full * 0.01;
        if (loud && !on)
            times.push_back(double(i * Window) / TestRate);
        on = loud;
    }
    return times;
}

TEST(Lfo, ThePeriodMatchesTheSpeed) {
    for (int speed : {60, 80, 99}) {
        const double hz = lfoHz(speed);
        const std::vector<double> times = onsets(HeldNote(tremolo(speed, 99), A4, 4.5 / hz));
        ASSERT_GE(times.size(), 3u) << "speed " << speed;
        const double period = (times.back() - times.front()) / double(times.size() - 1);
        EXPECT_NEAR(period, 1 / hz, 0.02 / hz) << "speed " << speed;
    }
}

TEST(Lfo, TheModWheelAddsItsDepth) {
    Voice voice = tremolo(80, 0);
    voice.Set(*VoiceParam::Mod(int(ModSource::ModWheel), 1), 99); // LFO amplitude
    const auto render = [&](int wheel) {
        PreviewEngine engine(TestRate);
        engine.SetVoice(voice);
        engine.SetController(ModSource::ModWheel, wheel);
        engine.NoteOn(A4, 100);
        std::vector<float> left(TestRate), right(left.size());
        engine.Render(left.data(), right.data(), int(left.size()));
        return onsets(left).size();
    };
    EXPECT_EQ(render(0), 0u);
    EXPECT_GE(render(127), 8u); // about 9.3 Hz
}

} // namespace

#include "sound_measures.h"
#include "test_voices.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

double noteHz(int note) {
    return 440 * std::exp2((note - A4) / 12.0);
}

double amplitude(const Voice& voice, int note = A4, int velocity = 100) {
    const std::vector<float> sound = HeldNote(voice, note, 0.25, velocity);
    return AmplitudeAt(std::span(sound).subspan(TestRate / 20), noteHz(note), TestRate);
}

Voice carrierAt(int level) {
    Voice voice = LoneCarrier();
    voice.Set(VoiceParam::Op(0, OpField::Out), level);
    return voice;
}

TEST(OutputLevel, EachStepFollowsTheLevelCurve) {
    // The chip's total level: 127 .. 81 for levels 0 .. 19, then 99 - level; 0.75 dB a step.
    const int low[20] = {127, 122, 118, 114, 110, 107, 104, 102, 100, 98,
                         96,  94,  92,  90,  88,  86,  85,  84,  82,  81};
    const double full = amplitude(carrierAt(99));
    for (int level = 0; level < 99; ++level) {
        const int total = level < 20 ? low[level] : 99 - level;
        EXPECT_NEAR(Db(amplitude(carrierAt(level)) / full), -0.75 * total, 0.05)
            << "level " << level;
    }
}

TEST(OutputLevel, AlgorithmsWithMoreCarriersLowerEach) {
    const double alone = amplitude(carrierAt(99));
    for (const auto& [algorithm, db] :
         {std::pair{4, -6.0}, std::pair{5, -9.75}, std::pair{6, -9.75}, std::pair{7, -12.0}}) {
        Voice voice = carrierAt(99);
        SetSingle(voice, AlgorithmRow, algorithm);
        EXPECT_NEAR(Db(amplitude(voice) / alone), db, 0.05) << "algorithm " << algorithm + 1;
    }
}

TEST(OutputLevel, VelocityAndKeyScalingLowerTheLevelAsChosen) {
    // Velocity sensitivity 7 at velocity 1 is 24 dB down, linear in dB towards velocity 127.
    Voice voice = carrierAt(99);
    voice.Set(VoiceParam::Op(0, OpField::KVS), 7);
    const double loudest = amplitude(voice, A4, 127);
    EXPECT_NEAR(Db(amplitude(voice, A4, 1) / loudest), -24, 0.05);
    EXPECT_NEAR(Db(amplitude(voice, A4, 64) / loudest), -24 * 63 / 126.0, 0.05);
    EXPECT_NEAR(Db(amplitude(carrierAt(99), A4, 1) / loudest), 0, 0.05);

    // Key level scaling 99 takes 12 dB an octave above C2 (MIDI 36).
    voice = carrierAt(99);
    voice.Set(VoiceParam::Op(0, OpField::LS), 99);
    EXPECT_NEAR(Db(amplitude(voice, 36) / amplitude(carrierAt(99), 36)), 0, 0.05);
    EXPECT_NEAR(Db(amplitude(voice, 60) / amplitude(carrierAt(99), 60)), -24, 0.05);
}

} // namespace

#include "preview/preview_engine.h"
#include "sound_measures.h"
#include "test_voices.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// From a twentieth of a second on, when the output's DC filter has settled.
double carrierHz(const Voice& voice, int note, int sampleRate = TestRate, double seconds = 0.3) {
    const std::vector<float> sound = HeldNote(voice, note, seconds, 100, sampleRate);
    return ToneHz(std::span(sound).subspan(std::size_t(sampleRate / 20)), sampleRate);
}

Voice carrierWith(int coarse, int fine) {
    Voice voice = LoneCarrier();
    voice.Set(VoiceParam::Op(0, OpField::Coarse), coarse);
    voice.Set(VoiceParam::Op(0, OpField::Fine), fine);
    return voice;
}

TEST(RatioFrequency, ACarrierAtRatioOnePlayingA4Is440Hz) {
    EXPECT_NEAR(carrierHz(LoneCarrier(), A4), 440.0, 440.0 * 0.0001);
}

TEST(RatioFrequency, EachCoarseValueGivesItsRatio) {
    const std::vector<double> ratios = CoarseRatios();
    for (int coarse = 0; coarse < 64; ++coarse) {
        const double expected = 220.0 * ratios[std::size_t(coarse)];
        EXPECT_NEAR(carrierHz(carrierWith(coarse, 0), A4 - 12), expected, expected * 0.0005)
            << "coarse " << coarse;
    }
    // The owner's chart, to two places.
    EXPECT_NEAR(ratios[0], 0.50, 0.005);
    EXPECT_NEAR(ratios[1], 0.71, 0.005);
    EXPECT_NEAR(ratios[9], 2.82, 0.01);
    EXPECT_NEAR(ratios[63], 25.95, 0.02);
}

TEST(RatioFrequency, FineStepsAreSixteenthsOfTheCoarseStep) {
    struct Case {
        int coarse, fine;
        double ratio;
    };
    for (const Case& c : {Case{4, 1, 1.0625}, Case{4, 15, 1.9375}, Case{8, 4, 2.25},
                          Case{5, 15, (1 + 15 / 16.0) * std::sqrt(2.0)}, Case{0, 7, 0.9375},
                          Case{0, 12, 0.9375}}) // 0.5's steps end at 7
        EXPECT_NEAR(carrierHz(carrierWith(c.coarse, c.fine), A4), 440 * c.ratio,
                    440 * c.ratio * 0.0005)
            << c.coarse << "/" << c.fine;
}

TEST(FixedFrequency, IsTheTablesFrequencyForEveryNote) {
    Voice voice = carrierWith(13, 5); // 16 * (13 >> 2) + 5 = 53 Hz times 2^range
    voice.Set(VoiceParam::Op(0, OpField::Fix), 1);
    voice.Set(VoiceParam::Op(0, OpField::FixRange), 3);
    for (int note = 0; note < 128; note += 7)
        EXPECT_NEAR(carrierHz(voice, note), 53 * 8, 53 * 8 * 0.0005) << "note " << note;

    struct Case {
        int coarse, fine, range;
        double hz;
    };
    for (const Case& c :
         {Case{0, 0, 0, 8}, Case{3, 7, 0, 8}, Case{3, 9, 0, 9}, Case{63, 15, 0, 255},
          Case{63, 15, 6, 255 * 64}, Case{63, 15, 7, 255 * 128}, Case{20, 0, 2, 80 * 4}}) {
        voice = carrierWith(c.coarse, c.fine);
        voice.Set(VoiceParam::Op(0, OpField::Fix), 1);
        voice.Set(VoiceParam::Op(0, OpField::FixRange), c.range);
        EXPECT_NEAR(carrierHz(voice, A4, 96000, c.hz < 100 ? 2.5 : 0.3), c.hz, c.hz * 0.001)
            << c.coarse << "/" << c.fine << "/" << c.range;
    }
}

TEST(Pitch, TransposeDetuneAndBendMoveTheRatioOperators) {
    Voice voice = LoneCarrier();
    SetSingle(voice, TransposeRow, 24 + 12);
    EXPECT_NEAR(carrierHz(voice, A4), 880, 0.1);

    voice = LoneCarrier();
    voice.Set(VoiceParam::Op(0, OpField::Detune), 6); // +3: 1.2 Hz times the key code's share
    const double keyCodeShare = ((A4 - 12) / 3) / 31.0;
    EXPECT_NEAR(carrierHz(voice, A4) - 440, 1.2 * keyCodeShare, 0.02);

    voice = LoneCarrier();
    SetSingle(voice, 4, 7); // bend range, semitones
    auto engine = std::make_unique<PreviewEngine>(TestRate);
    engine->SetVoice(voice);
    engine->PitchBend(8191);
    engine->NoteOn(A4, 100);
    std::vector<float> left(TestRate / 4), right(left.size());
    engine->Render(left.data(), right.data(), int(left.size()));
    EXPECT_NEAR(ToneHz(std::span(left).subspan(2400), TestRate), 440 * std::exp2(7 / 12.0), 0.1);
}

} // namespace

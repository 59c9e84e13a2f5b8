#include "preview/preview_engine.h"
#include "sound_measures.h"
#include "test_voices.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The rate table: a decay at effective rate r takes this long over the whole 96 dB; the attack
// at r takes 16 ln(1024) / 1024 of it, falling in the log domain by a fixed share of itself.
double decaySeconds(int r) {
    r = std::min(r, 60);
    return 8184.0 / (4 + r % 4) * std::exp2(11 - r / 4) / (55930.0 / 3);
}
double attackSeconds(int r) {
    return decaySeconds(r) * 16 * std::log(1024.0) / 1024;
}
// When an attack at r is `below` dB under full level.
double attackReaches(int r, double below) {
    return attackSeconds(r) * std::log(96 / below) / std::log(1024.0);
}

constexpr int Window = 110; // a little over one period of A4
constexpr double WindowSeconds = double(Window) / TestRate;

// The time at which the envelope first falls below (or rises to) level dB under reference,
// between the windows' centres, by interpolation in dB.
double crossingSeconds(const std::vector<double>& envelope, double reference, double levelDb,
                       bool rising, int from = 0) {
    const double level = reference * std::pow(10, -levelDb / 20);
    const int i =
        rising ? FirstAtOrAbove(envelope, level, from) : FirstBelow(envelope, level, from);
    if (i <= 0)
        return -1;
    const double before = Db(envelope[std::size_t(i - 1)]), after = Db(envelope[std::size_t(i)]);
    const double share = (Db(level) - before) / (after - before);
    return (i - 1 + share + 0.5) * WindowSeconds;
}

Voice carrier(OpField field, int value) {
    Voice voice = LoneCarrier();
    voice.Set(VoiceParam::Op(0, field), value);
    return voice;
}

double fullLevel() {
    return PeakEnvelope(HeldNote(LoneCarrier(), A4, 0.1), Window)[5];
}

// A4's key code is 19, so rate scaling 0 adds 19 >> 3 = 2 to every rate.
constexpr int Scaled = 2;

TEST(Envelope, DecayTimesMatchTheRateTable) {
    for (int rate : {12, 13, 16}) {
        Voice voice = carrier(OpField::D1R, rate);
        voice.Set(VoiceParam::Op(0, OpField::D1L), 5); // decay 1 ends 30 dB down
        const auto envelope = PeakEnvelope(HeldNote(voice, A4, 0.6), Window);
        const double expected = decaySeconds(2 * rate + Scaled) * 20 / 96;
        const double start = crossingSeconds(envelope, fullLevel(), 1, false);
        const double measured = crossingSeconds(envelope, fullLevel(), 21, false) - start;
        EXPECT_NEAR(measured, expected, expected * 0.1) << "decay 1 rate " << rate;
    }
    // Decay 2 from the end of decay 1, here at once (decay level 15).
    const Voice voice = carrier(OpField::D2R, 14);
    const auto envelope = PeakEnvelope(HeldNote(voice, A4, 0.6), Window);
    const double expected = decaySeconds(2 * 14 + Scaled) * 20 / 96;
    const double measured = crossingSeconds(envelope, fullLevel(), 21, false) -
                            crossingSeconds(envelope, fullLevel(), 1, false);
    EXPECT_NEAR(measured, expected, expected * 0.1);
}

TEST(Envelope, AttackTimesMatchTheRateTable) {
    for (int rate : {8, 10, 12}) {
        const auto envelope = PeakEnvelope(HeldNote(carrier(OpField::AR, rate), A4, 1.5), Window);
        const int r = 2 * rate + Scaled;
        for (double below : {6.0, 1.0}) {
            const double expected = attackReaches(r, below);
            EXPECT_NEAR(crossingSeconds(envelope, fullLevel(), below, true), expected,
                        expected * 0.1)
                << "attack rate " << rate << ", " << below << " dB under full";
        }
    }
    // From 62 the attack is at once: full level in the first window.
    const auto envelope = PeakEnvelope(HeldNote(carrier(OpField::AR, 30), A4, 0.05), Window);
    EXPECT_NEAR(Db(envelope[1] / fullLevel()), 0, 0.1);
}

TEST(Envelope, ReleaseTimesMatchTheRateTableAndEndTheNote) {
    for (int rate : {5, 6, 8}) {
        PreviewEngine engine(TestRate);
        engine.SetVoice(carrier(OpField::RR, rate));
        engine.NoteOn(A4, 100);
        std::vector<float> held(TestRate / 10), right(held.size());
        engine.Render(held.data(), right.data(), int(held.size()));
        engine.NoteOff(A4);
        std::vector<float> released(TestRate), other(released.size());
        engine.Render(released.data(), other.data(), int(released.size()));
        const double expected = decaySeconds(4 * rate + 2 + Scaled) * 20 / 96;
        const auto envelope = PeakEnvelope(released, Window);
        EXPECT_NEAR(crossingSeconds(envelope, fullLevel(), 20, false), expected, expected * 0.1)
            << "release rate " << rate;
    }
    PreviewEngine engine(TestRate);
    engine.SetVoice(carrier(OpField::RR, 15));
    engine.NoteOn(A4, 100);
    std::vector<float> left(TestRate / 10), right(left.size());
    engine.Render(left.data(), right.data(), int(left.size()));
    engine.NoteOff(A4);
    engine.Render(left.data(), right.data(), int(left.size()));
    EXPECT_EQ(engine.SoundingNotes(), 0); // release 15 takes about 7 ms
}

TEST(Envelope, RateScalingSpeedsUpHighNotes) {
    // Middle C has key code 16: rate scaling 2 adds 16 >> 1 = 8, rate scaling 0 adds 2.
    for (int scaling : {0, 2}) {
        Voice voice = carrier(OpField::D1R, 12);
        voice.Set(VoiceParam::Op(0, OpField::D1L), 5);
        voice.Set(VoiceParam::Op(0, OpField::RS), scaling);
        const auto envelope = PeakEnvelope(HeldNote(voice, 60, 0.8), 200);
        const double full = envelope[2];
        const double windowSeconds = 200.0 / TestRate;
        const int end = FirstBelow(envelope, full * std::pow(10, -20 / 20.0));
        const double expected = decaySeconds(24 + (16 >> (3 - scaling))) * 20 / 96;
        EXPECT_NEAR(end * windowSeconds, expected, expected * 0.1 + windowSeconds)
            << "rate scaling " << scaling;
    }
}

TEST(Envelope, DecayLevelAndShiftSetTheHeldLevel) {
    struct Case {
        int decayLevel, shift;
        double db;
    };
    const std::vector<float> full = HeldNote(LoneCarrier(), A4, 0.4);
    const double fullAmplitude = AmplitudeAt(std::span(full).subspan(TestRate / 5), 440, TestRate);
    for (const Case& c : {Case{15, 0, 0}, Case{10, 0, -15}, Case{0, 0, -45}, Case{0, 1, -22.5},
                          Case{0, 3, -45 / 8.0}}) {
        Voice voice = carrier(OpField::D1R, 31);
        voice.Set(VoiceParam::Op(0, OpField::D1L), c.decayLevel);
        voice.Set(VoiceParam::Op(0, OpField::Shift), c.shift);
        const std::vector<float> sound = HeldNote(voice, A4, 0.4);
        const auto tail = std::span(sound).subspan(TestRate / 5);
        EXPECT_NEAR(Db(AmplitudeAt(tail, 440, TestRate) / fullAmplitude), c.db, 0.1)
            << "decay level " << c.decayLevel << ", shift " << c.shift;
    }
}

} // namespace

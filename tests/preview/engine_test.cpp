#include "preview/note_player.h"
#include "preview/preview_engine.h"
#include "preview/snapshot_exchange.h"
#include "test_voices.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <optional>
#include <random>
#include <thread>

// Counts the allocations made while counting is on, in any thread of the test program.
namespace {
std::atomic<bool> countAllocations{false};
std::atomic<int> allocations{0};
} // namespace

void* operator new(std::size_t size) {
    if (countAllocations.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

constexpr int Period = 256;

struct Block {
    std::vector<float> left = std::vector<float>(Period);
    std::vector<float> right = std::vector<float>(Period);
    void RenderFrom(PreviewEngine& engine) { engine.Render(left.data(), right.data(), Period); }
    double Peak(std::size_t from = 0) const {
        double p = 0;
        for (std::size_t i = from; i < left.size(); ++i)
            p = std::max(p, double(std::abs(left[i])));
        return p;
    }
};

Voice randomVoice(std::mt19937& random) {
    Voice voice;
    for (VoiceParam param : AllVoiceParams())
        voice.Set(param, std::uniform_int_distribution<int>(0, InfoOf(param).max)(random));
    return voice;
}

// Every parameter at its maximum, or at 0.
Voice extremeVoice(bool highest) {
    Voice voice;
    for (VoiceParam param : AllVoiceParams())
        voice.Set(param, highest ? InfoOf(param).max : 0);
    return voice;
}

void expectFiniteAndBounded(const Voice& voice, std::mt19937& random, const char* what) {
    PreviewEngine engine(TestRate);
    engine.SetVoice(voice);
    std::uniform_int_distribution<int> key(0, 127), value(0, 127);
    for (ModSource source :
         {ModSource::Aftertouch, ModSource::ModWheel, ModSource::Breath, ModSource::Foot})
        engine.SetController(source, value(random));
    engine.PitchBend(std::uniform_int_distribution<int>(-8192, 8191)(random));
    for (int n = 0; n < 20; ++n) // more notes than the polyphony
        engine.NoteOn(key(random), 1 + value(random) % 127);
    Block block;
    for (int period = 0; period < 40; ++period) {
        if (period == 30)
            engine.AllNotesOff();
        block.RenderFrom(engine);
        for (float s : block.left)
            ASSERT_TRUE(std::isfinite(s) && std::abs(s) <= 1) << what << ": " << s;
    }
}

TEST(PreviewEngine, EveryVoiceRendersFiniteAndBounded) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 60; ++round)
        expectFiniteAndBounded(randomVoice(random), random, "a random voice");
    expectFiniteAndBounded(extremeVoice(true), random, "every value at its maximum");
    expectFiniteAndBounded(extremeVoice(false), random, "every value at 0");
}

TEST(PreviewEngine, ALoudChordIsLimitedNotWrapped) {
    Voice voice = PlainVoice(7, {0, 1, 2, 3});
    for (int op = 0; op < OperatorCount; ++op)
        voice.Set(VoiceParam::Op(op, OpField::Out), 99);
    PreviewEngine engine(TestRate);
    engine.SetVoice(voice);
    for (int key = 60; key < 76; ++key)
        engine.NoteOn(key, 127);
    Block block;
    double peak = 0;
    for (int period = 0; period < 20; ++period) {
        block.RenderFrom(engine);
        peak = std::max(peak, block.Peak());
    }
    EXPECT_GT(peak, 0.9);
    EXPECT_LE(peak, 1.0);
}

TEST(PreviewEngine, AnEditIsHeardInTheNextPeriod) {
    PreviewEngine unchanged(TestRate), edited(TestRate);
    for (PreviewEngine* engine : {&unchanged, &edited}) {
        engine->SetVoice(LoneCarrier());
        engine->NoteOn(A4, 100);
    }
    Block a, b;
    for (int period = 0; period < 4; ++period) {
        a.RenderFrom(unchanged);
        b.RenderFrom(edited);
    }
    ASSERT_EQ(a.left, b.left);
    Voice quieter = LoneCarrier();
    quieter.Set(VoiceParam::Op(0, OpField::Out), 79); // 15 dB down
    edited.SetVoice(quieter);
    a.RenderFrom(unchanged);
    b.RenderFrom(edited);
    // The gain glides over the first 16 frames; the rest of the period is at the new level, but
    // for the output's DC filter settling.
    EXPECT_NEAR(20 * std::log10(b.Peak(16) / a.Peak(16)), -15, 1);
}

TEST(PreviewEngine, ASourceThatHasSentNothingIsNotConnected) {
    Voice voice = LoneCarrier();
    voice.Set(*VoiceParam::Mod(int(ModSource::Foot), 1), 99);   // the pedal's volume
    voice.Set(*VoiceParam::Mod(int(ModSource::Breath), 3), 99); // breath's envelope bias
    voice.Set(*VoiceParam::Mod(int(ModSource::Breath), 2), 50); // no pitch bias
    voice.Set(*VoiceParam::Mod(int(ModSource::Foot), 2), 50);
    voice.Set(VoiceParam::Op(0, OpField::EBS), 7);
    const auto peakWith = [&](std::optional<int> foot, std::optional<int> breath) {
        PreviewEngine engine(TestRate);
        engine.SetVoice(voice);
        if (foot)
            engine.SetController(ModSource::Foot, *foot);
        if (breath)
            engine.SetController(ModSource::Breath, *breath);
        engine.NoteOn(A4, 100);
        Block block;
        block.RenderFrom(engine);
        block.RenderFrom(engine);
        return block.Peak();
    };
    const double full = peakWith(std::nullopt, std::nullopt);
    EXPECT_NEAR(full, 0.25, 0.01);
    EXPECT_NEAR(peakWith(127, 127), full, 1e-3);
    EXPECT_LT(peakWith(0, std::nullopt), 1e-3); // the pedal back: silent
    EXPECT_NEAR(20 * std::log10(peakWith(std::nullopt, 0) / full), -48, 0.5); // breath at rest
}

TEST(PreviewEngine, RenderingAllocatesNothing) {
    PreviewEngine engine(TestRate);
    engine.SetVoice(LoneCarrier());
    Block block;
    block.RenderFrom(engine);
    allocations = 0;
    countAllocations = true;
    for (int n = 0; n < 16; ++n)
        engine.NoteOn(40 + n, 100);
    for (int period = 0; period < 20; ++period)
        block.RenderFrom(engine);
    engine.AllNotesOff();
    block.RenderFrom(engine);
    countAllocations = false;
    EXPECT_EQ(allocations.load(), 0);
}

TEST(PreviewEngine, TheTestNoteIsMiddleCForOneSecond) {
    PreviewEngine engine(TestRate);
    engine.SetVoice(LoneCarrier());
    engine.PlayTestNote();
    Block block;
    const int second = TestRate / Period;
    for (int period = 0; period < second - 2; ++period)
        block.RenderFrom(engine);
    EXPECT_EQ(engine.SoundingNotes(), 1);
    for (int period = 0; period < 10; ++period)
        block.RenderFrom(engine);
    EXPECT_EQ(engine.SoundingNotes(), 0);
}

TEST(PreviewEngine, NotesAndVoicesFromAnotherThreadArriveWhole) {
    PreviewEngine engine(TestRate);
    std::atomic<bool> done{false};
    std::thread control([&] {
        std::mt19937 random(7);
        for (int n = 0; n < 2000; ++n) {
            engine.SetVoice(randomVoice(random));
            engine.NoteOn(n % 128, 100);
            engine.NoteOff((n + 64) % 128);
        }
        done = true;
    });
    Block block;
    while (!done) {
        block.RenderFrom(engine);
        for (float s : block.left)
            ASSERT_TRUE(std::isfinite(s) && std::abs(s) <= 1);
    }
    control.join();
}

TEST(SnapshotExchange, TheReaderGetsTheNewestOnce) {
    SnapshotExchange<int> exchange;
    EXPECT_EQ(exchange.TakeNewest(), nullptr);
    exchange.Publish(1);
    exchange.Publish(2);
    const int* newest = exchange.TakeNewest();
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(*newest, 2);
    EXPECT_EQ(exchange.TakeNewest(), nullptr);
    exchange.Publish(3);
    EXPECT_EQ(*exchange.TakeNewest(), 3);
}

TEST(NotePlayer, SixteenNotesThenTheOldestReleasedIsTakenFirst) {
    NotePlayer player;
    for (int key = 0; key < NotePlayer::Polyphony; ++key)
        player.KeyDown(key, 100, false);
    EXPECT_EQ(player.SoundingCount(), NotePlayer::Polyphony);
    player.KeyUp(5, false);
    player.KeyUp(2, false);
    const auto noteOf = [&](int key) {
        const auto& notes = player.AllNotes();
        return std::find_if(notes.begin(), notes.end(),
                            [key](const FmNote& n) { return n.Key() == key; }) -
               notes.begin();
    };
    const auto wasFive = noteOf(5), wasTwo = noteOf(2), wasZero = noteOf(0);
    player.KeyDown(100, 100, false);
    EXPECT_EQ(noteOf(100), wasFive);
    player.KeyDown(101, 100, false);
    EXPECT_EQ(noteOf(101), wasTwo);
    // None released: the one held longest.
    player.KeyDown(102, 100, false);
    EXPECT_EQ(noteOf(102), wasZero);
    // A key that sounds plays again on its own note.
    const auto wasSeven = noteOf(7);
    player.KeyDown(7, 90, false);
    EXPECT_EQ(noteOf(7), wasSeven);
}

TEST(NotePlayer, MonoReturnsToTheNewestKeyStillHeld) {
    NotePlayer player;
    player.KeyDown(60, 100, true);
    player.KeyDown(64, 90, true);
    player.KeyDown(67, 80, true);
    const FmNote& note = player.AllNotes()[0];
    EXPECT_EQ(note.Key(), 67);
    EXPECT_EQ(player.SoundingCount(), 1);
    player.KeyUp(64, true); // not the one sounding
    EXPECT_EQ(note.Key(), 67);
    player.KeyUp(67, true);
    EXPECT_EQ(note.Key(), 60);
    EXPECT_EQ(note.Velocity(), 100);
    EXPECT_TRUE(note.Held());
    player.KeyUp(60, true);
    EXPECT_FALSE(note.Held());
}

} // namespace

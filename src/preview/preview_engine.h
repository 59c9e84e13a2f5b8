#pragma once

#include "preview/patch.h"
#include "preview/preview_synth.h"
#include "preview/snapshot_exchange.h"
#include "preview/spsc_ring.h"

#include <atomic>
#include <cstdint>

class Voice;

// The preview's engine between two threads. One control thread (the Qt thread) sets the voice and
// plays; one audio thread renders. Voices cross as snapshots, the newest replacing any older one
// not yet heard; notes and controllers cross through a ring, in order. The audio thread picks up
// both at the start of every Render call, so each is heard within one period, and it neither
// allocates nor locks nor calls the system.
class PreviewEngine {
public:
    static constexpr int TestNoteKey = 60;
    static constexpr int TestNoteVelocity = 100;
    static constexpr double TestNoteSeconds = 1.0;

    explicit PreviewEngine(double sampleRate);

    // The control thread. Each returns false, changing nothing, when the ring is full (the audio
    // thread has not run for a long while).
    void SetVoice(const Voice& voice);
    bool NoteOn(int key, int velocity); // velocity 0 is a note-off, as in MIDI
    bool NoteOff(int key);
    bool AllNotesOff();
    bool PitchBend(int value);                       // -8192..8191
    bool SetController(ModSource source, int value); // 0..127
    // Middle C at velocity 100 for one second.
    bool PlayTestNote();
    // Any thread; heard from the next Render call on.
    void SetSampleRate(double sampleRate);

    // The audio thread: writes frames of sound into both channels.
    void Render(float* left, float* right, int frames);
    // The audio thread's view, for the offline render.
    int SoundingNotes() const { return synth_.SoundingCount(); }

private:
    struct Event {
        enum class Kind : std::uint8_t { KeyDown, KeyUp, ReleaseAll, Bend, Source, TestNote };
        Kind kind = Kind::KeyUp;
        std::int16_t first = 0;
        std::int16_t second = 0;
    };

    bool put(Event::Kind kind, int first = 0, int second = 0);
    void apply(const Event& event);

    SnapshotExchange<PreviewPatch> patches_;
    SpscRing<Event, 1024> events_;
    std::atomic<double> sampleRate_;
    PreviewSynth synth_;
    std::int64_t testNoteFramesLeft_ = 0; // the audio thread's
};

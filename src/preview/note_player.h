#pragma once

#include "preview/fm_note.h"

#include <array>
#include <cstdint>

// Which note plays which key. Poly: a key already sounding plays again on its note, else a free
// note takes it, else the note released longest ago, else the one held longest. Mono: one note
// plays the newest held key, and releasing that key returns to the newest key still held.
class NotePlayer {
public:
    static constexpr int Polyphony = 16;
    using Notes = std::array<FmNote, Polyphony>;

    // True when a note started.
    bool KeyDown(int key, int velocity, bool mono);
    void KeyUp(int key, bool mono);
    // Releases every note and forgets the held keys.
    void ReleaseAll();

    Notes& AllNotes() { return notes_; }
    const Notes& AllNotes() const { return notes_; }
    int SoundingCount() const;

private:
    struct HeldKey {
        int key;
        int velocity;
    };

    FmNote& polyNoteFor(int key);
    void forgetHeld(int key);

    Notes notes_{};
    std::array<HeldKey, Polyphony> held_{}; // mono's keys, oldest first
    int heldCount_ = 0;
    std::uint64_t order_ = 0;
};

#include "preview/note_player.h"

#include <algorithm>

bool NotePlayer::KeyDown(int key, int velocity, bool mono) {
    if (!mono) {
        polyNoteFor(key).Start(key, velocity, ++order_);
        return true;
    }
    forgetHeld(key);
    if (heldCount_ == Polyphony) {
        std::copy(held_.begin() + 1, held_.end(), held_.begin());
        --heldCount_;
    }
    held_[std::size_t(heldCount_++)] = {key, velocity};
    notes_[0].Start(key, velocity, ++order_);
    return true;
}

void NotePlayer::KeyUp(int key, bool mono) {
    const bool wasNewest = mono && heldCount_ > 0 && held_[std::size_t(heldCount_ - 1)].key == key;
    forgetHeld(key);
    if (wasNewest && heldCount_ > 0) {
        const HeldKey& back = held_[std::size_t(heldCount_ - 1)];
        notes_[0].Start(back.key, back.velocity, ++order_);
        return;
    }
    for (FmNote& note : notes_)
        if (note.Held() && note.Key() == key)
            note.Release(++order_);
}

void NotePlayer::ReleaseAll() {
    heldCount_ = 0;
    for (FmNote& note : notes_)
        if (note.Held())
            note.Release(++order_);
}

int NotePlayer::SoundingCount() const {
    return int(std::count_if(notes_.begin(), notes_.end(),
                             [](const FmNote& note) { return note.Sounding(); }));
}

FmNote& NotePlayer::polyNoteFor(int key) {
    for (FmNote& note : notes_)
        if (note.Sounding() && note.Key() == key)
            return note;
    for (FmNote& note : notes_)
        if (!note.Sounding())
            return note;
    FmNote* choice = nullptr;
    for (FmNote& note : notes_)
        if (!note.Held() && (!choice || note.ReleaseOrder() < choice->ReleaseOrder()))
            choice = &note;
    if (choice)
        return *choice;
    return *std::min_element(notes_.begin(), notes_.end(), [](const FmNote& a, const FmNote& b) {
        return a.StartOrder() < b.StartOrder();
    });
}

void NotePlayer::forgetHeld(int key) {
    const auto end = held_.begin() + heldCount_;
    heldCount_ =
        int(std::remove_if(held_.begin(), end, [key](const HeldKey& h) { return h.key == key; }) -
            held_.begin());
}

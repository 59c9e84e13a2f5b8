#pragma once

#include "preview/patch.h"

#include <QString>
#include <optional>

class Voice;

// What the programs play the preview through, called from one control thread (the Qt thread).
// JackPreview is the one on JACK; tests use a recording double.
class PreviewOutput {
public:
    virtual ~PreviewOutput() = default;

    // What went wrong, if anything; a running preview is left as it is.
    virtual std::optional<QString> Start() = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;

    // Kept over a stop; heard at once while it runs.
    virtual void SetVoice(const Voice& voice) = 0;
    // False when the preview is not running (or cannot take more now): nothing was played.
    virtual bool NoteOn(int key, int velocity) = 0;
    virtual bool NoteOff(int key) = 0;
    virtual bool AllNotesOff() = 0;
    virtual bool PitchBend(int value) = 0;                       // -8192..8191
    virtual bool SetController(ModSource source, int value) = 0; // 0..127
    // Middle C at velocity 100 for one second, timed by the audio itself.
    virtual bool PlayTestNote() = 0;
};

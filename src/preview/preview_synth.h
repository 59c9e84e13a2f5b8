#pragma once

#include "preview/lfo.h"
#include "preview/modulation.h"
#include "preview/note_player.h"
#include "preview/output_stage.h"
#include "preview/patch.h"
#include "preview/waveforms.h"

// The sound engine proper, on one thread: sixteen notes of one patch, the LFO they share, the
// controllers and the output stage. Nothing in it allocates, locks or calls the system once it
// is built.
class PreviewSynth {
public:
    explicit PreviewSynth(double sampleRate);

    void SetSampleRate(double sampleRate);
    double SampleRate() const { return sampleRate_; }
    // Notes that sound go on with the new patch from the next block.
    void SetPatch(const PreviewPatch& patch) { patch_ = patch; }
    const PreviewPatch& Patch() const { return patch_; }

    void KeyDown(int key, int velocity);
    void KeyUp(int key) { player_.KeyUp(key, patch_.mono); }
    void ReleaseAll() { player_.ReleaseAll(); }
    // -1..1, and 0..1 for the sources.
    void SetBend(double position) { controllers_.bend = position; }
    void SetSource(ModSource source, double position) {
        controllers_.sources[std::size_t(source)] = position;
    }

    // Writes frames of the (mono) output.
    void Render(float* out, int frames);
    int SoundingCount() const { return player_.SoundingCount(); }

private:
    double sampleRate_;
    PreviewPatch patch_;
    ControllerPositions controllers_;
    NotePlayer player_;
    Lfo lfo_;
    OutputStage output_;
    Waveforms::Tables waves_;
};

#include "preview/preview_synth.h"

#include <algorithm>
#include <array>

PreviewSynth::PreviewSynth(double sampleRate) : sampleRate_(sampleRate), output_(sampleRate) {}

void PreviewSynth::SetSampleRate(double sampleRate) {
    sampleRate_ = sampleRate;
    output_.SetSampleRate(sampleRate);
}

void PreviewSynth::KeyDown(int key, int velocity) {
    if (patch_.lfoKeySync)
        lfo_.Restart();
    player_.KeyDown(key, velocity, patch_.mono);
}

void PreviewSynth::Render(float* out, int frames) {
    NoteContext context;
    context.patch = &patch_;
    context.waves = &waves_;
    context.sampleRate = sampleRate_;
    context.modulation = ModulationOf(patch_, controllers_);
    for (int done = 0; done < frames;) {
        const int count = std::min(FmNote::BlockFrames, frames - done);
        context.lfoPitch = lfo_.Value(patch_.lfoWave);
        context.lfoAmplitude = (1 + context.lfoPitch) / 2;
        std::array<float, FmNote::BlockFrames> block{};
        for (FmNote& note : player_.AllNotes())
            note.Render(context, block.data(), count);
        for (int n = 0; n < count; ++n)
            out[done + n] = output_.Process(block[std::size_t(n)]);
        lfo_.Advance(patch_.lfoHz, count / sampleRate_);
        done += count;
    }
}

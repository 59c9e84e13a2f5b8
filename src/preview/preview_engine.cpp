#include "preview/preview_engine.h"

#include "model/voice.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace {

// Denormal numbers slow the processor down by orders of magnitude; the sound never needs them.
class DenormalsAsZero {
public:
#if defined(__SSE__)
    DenormalsAsZero() : saved_(_mm_getcsr()) {
        _mm_setcsr(saved_ | FlushToZero | DenormalsZero);
    }
    ~DenormalsAsZero() {
        _mm_setcsr(saved_);
    }

private:
    static constexpr unsigned FlushToZero = 0x8000;
    static constexpr unsigned DenormalsZero = 0x0040;
    unsigned saved_;
#endif
};

constexpr int BendCentre = 8192;

} // namespace

PreviewEngine::PreviewEngine(double sampleRate) : sampleRate_(sampleRate), synth_(sampleRate) {
    synth_.SetPatch(CompilePatch(Voice()));
}

void PreviewEngine::SetVoice(const Voice& voice) {
    patches_.Publish(CompilePatch(voice));
}

bool PreviewEngine::NoteOn(int key, int velocity) {
    if (velocity == 0)
        return NoteOff(key);
    return put(Event::Kind::KeyDown, std::clamp(key, 0, 127), std::clamp(velocity, 1, 127));
}

bool PreviewEngine::NoteOff(int key) {
    return put(Event::Kind::KeyUp, std::clamp(key, 0, 127));
}

bool PreviewEngine::AllNotesOff() {
    return put(Event::Kind::ReleaseAll);
}

bool PreviewEngine::PitchBend(int value) {
    return put(Event::Kind::Bend, std::clamp(value, -BendCentre, BendCentre - 1));
}

bool PreviewEngine::SetController(ModSource source, int value) {
    return put(Event::Kind::Source, int(source), std::clamp(value, 0, 127));
}

bool PreviewEngine::PlayTestNote() {
    return put(Event::Kind::TestNote);
}

void PreviewEngine::SetSampleRate(double sampleRate) {
    sampleRate_.store(sampleRate, std::memory_order_relaxed);
}

bool PreviewEngine::put(Event::Kind kind, int first, int second) {
    return events_.Put({kind, std::int16_t(first), std::int16_t(second)});
}

void PreviewEngine::Render(float* left, float* right, int frames) {
    const DenormalsAsZero denormals;
    const double rate = sampleRate_.load(std::memory_order_relaxed);
    if (rate != synth_.SampleRate())
        synth_.SetSampleRate(rate);
    if (const PreviewPatch* patch = patches_.TakeNewest())
        synth_.SetPatch(*patch);
    for (Event event; events_.Take(event);)
        apply(event);
    if (testNoteFramesLeft_ > 0) {
        testNoteFramesLeft_ -= frames;
        if (testNoteFramesLeft_ <= 0)
            synth_.KeyUp(TestNoteKey);
    }
    synth_.Render(left, frames);
    std::copy(left, left + frames, right);
}

void PreviewEngine::apply(const Event& event) {
    switch (event.kind) {
    case Event::Kind::KeyDown:
        synth_.KeyDown(event.first, event.second);
        break;
    case Event::Kind::KeyUp:
        synth_.KeyUp(event.first);
        break;
    case Event::Kind::ReleaseAll:
        testNoteFramesLeft_ = 0;
        synth_.ReleaseAll();
        break;
    case Event::Kind::Bend:
        synth_.SetBend(event.first < 0 ? event.first / double(BendCentre)
                                       : event.first / double(BendCentre - 1));
        break;
    case Event::Kind::Source:
        synth_.SetSource(ModSource(event.first), event.second / 127.0);
        break;
    case Event::Kind::TestNote:
        synth_.KeyDown(TestNoteKey, TestNoteVelocity);
        testNoteFramesLeft_ = std::int64_t(std::llround(TestNoteSeconds * synth_.SampleRate()));
        break;
    }
}

#include "preview/offline_render.h"

#include "preview/preview_engine.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int Period = 256;

void renderFrames(PreviewEngine& engine, StereoSound& sound, std::size_t frames) {
    const std::size_t start = sound.left.size();
    sound.left.resize(start + frames);
    sound.right.resize(start + frames);
    for (std::size_t done = 0; done < frames;) {
        const int count = int(std::min<std::size_t>(Period, frames - done));
        engine.Render(sound.left.data() + start + done, sound.right.data() + start + done, count);
        done += std::size_t(count);
    }
}

} // namespace

StereoSound RenderNote(const Voice& voice, const NoteRender& request) {
    auto engine = std::make_unique<PreviewEngine>(request.sampleRate);
    engine->SetVoice(voice);
    engine->NoteOn(request.note, request.velocity);
    StereoSound sound;
    sound.sampleRate = request.sampleRate;
    renderFrames(*engine, sound,
                 std::size_t(std::llround(request.heldSeconds * request.sampleRate)));
    engine->NoteOff(request.note);
    const auto tailPeriods = std::llround(request.longestTailSeconds * request.sampleRate / Period);
    for (long long i = 0; i < tailPeriods && engine->SoundingNotes() > 0; ++i)
        renderFrames(*engine, sound, Period);
    return sound;
}

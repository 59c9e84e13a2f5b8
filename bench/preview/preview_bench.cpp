// The preview's cost: sixteen notes of a four-operator voice rendered offline, and the live
// preview on JACK (run through scripts/jack-run, MARROWLINK_JACK_PERIOD=64).

#include "model/voice.h"
#include "preview/jack_preview.h"
#include "preview/preview_engine.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <jack/jack.h>
#include <thread>
#include <vector>

namespace {

constexpr int Rate = 48000;

// Every operator sounding, modulating and decaying slowly, with feedback and the LFO on.
Voice busyVoice() {
    Voice voice;
    for (int op = 0; op < OperatorCount; ++op) {
        voice.Set(VoiceParam::Op(op, OpField::AR), 31);
        voice.Set(VoiceParam::Op(op, OpField::D1R), 4);
        voice.Set(VoiceParam::Op(op, OpField::Out), 85);
        voice.Set(VoiceParam::Op(op, OpField::Coarse), 4 + 4 * op);
        voice.Set(VoiceParam::Op(op, OpField::AME), 1);
    }
    voice.Set(*VoiceParam::Single(26), 5);  // feedback
    voice.Set(*VoiceParam::Single(6), 70);  // LFO speed
    voice.Set(*VoiceParam::Single(30), 50); // pitch depth
    voice.Set(*VoiceParam::Single(22), 3);  // pitch sensitivity
    voice.Set(*VoiceParam::Single(31), 30); // amplitude depth
    voice.Set(*VoiceParam::Single(23), 1);  // amplitude sensitivity
    return voice;
}

// One second of audio at 48 kHz with sixteen notes held, in periods of the size given.
void SixteenNotesOneSecond(benchmark::State& state) {
    const int period = int(state.range(0));
    PreviewEngine engine(Rate);
    engine.SetVoice(busyVoice());
    for (int key = 0; key < 16; ++key)
        engine.NoteOn(48 + key, 100);
    std::vector<float> left(static_cast<std::size_t>(period)), right(left.size());
    for (auto _ : state)
        for (int done = 0; done < Rate; done += period)
            engine.Render(left.data(), right.data(), period);
    state.counters["share_of_a_core"] = benchmark::Counter(
        double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(SixteenNotesOneSecond)->Arg(64)->Arg(1024)->Unit(benchmark::kMillisecond);

int xruns = 0;
int countXrun(void*) {
    ++xruns;
    return 0;
}

// Sixteen notes for 60 s on the server: its overruns while the preview plays, against those of
// the same time with the preview stopped.
void JackSixtySeconds(benchmark::State& state) {
    jack_client_t* watcher = jack_client_open("preview-bench-watch", JackNoStartServer, nullptr);
    if (!watcher) {
        state.SkipWithError("no JACK server (run through scripts/jack-run)");
        return;
    }
    jack_set_xrun_callback(watcher, countXrun, nullptr);
    jack_activate(watcher);
    const auto seconds = std::chrono::seconds(state.range(0));
    for (auto _ : state) {
        xruns = 0;
        std::this_thread::sleep_for(seconds);
        const int quiet = xruns;
        JackPreview preview;
        preview.SetVoice(busyVoice());
        if (const auto problem = preview.Start()) {
            state.SkipWithError(problem->toStdString().c_str());
            break;
        }
        for (int key = 0; key < 16; ++key)
            preview.NoteOn(48 + key, 100);
        xruns = 0;
        std::this_thread::sleep_for(seconds);
        state.counters["xruns_playing"] = xruns;
        state.counters["xruns_stopped"] = quiet;
        state.counters["period"] = jack_get_buffer_size(watcher);
    }
    jack_client_close(watcher);
}
BENCHMARK(JackSixtySeconds)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();

// Decoding a patch file's four messages into a Voice, as a bank import does for every voice.
#include "files/file_io.h"
#include "synth/data_buffers.h"
#include "synth/message_decode.h"

#include <benchmark/benchmark.h>

namespace {

void DecodePatchFile(benchmark::State& state) {
    Voice written;
    written.SetName(QStringLiteral("Bench"));
    written.Set(VoiceParam::Op(2, OpField::Coarse), 9);
    SynthData data;
    for (const SyxFiles::FileMessage& m : SyxFiles::PatchFile.messages)
        Layouts::WriteMessage(*m.layout, written, data.*m.buffer);
    for (auto _ : state) {
        Voice voice;
        for (int index : SyxFiles::PatchFile.loadOrder) {
            const SyxFiles::FileMessage& m = SyxFiles::PatchFile.messages[std::size_t(index)];
            Layouts::Apply(Layouts::DecodeMessage(*m.layout, (data.*m.buffer).Message()), voice);
        }
        benchmark::DoNotOptimize(voice);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(DecodePatchFile);

} // namespace

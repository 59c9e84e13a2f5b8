// What the synth sends, through its port into a running editor: dumps of every kind, program
// changes, foreign and broken messages, split into chunks as a driver hands them over.
#include "support/fuzz_studio.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    if (input.empty())
        return 0;
    // The first byte picks the page: an effect dump is the voice's or the multi's by the page. The
    // records' values an earlier input left only decide whether a control is set again.
    FuzzStudio& studio = FuzzStudio::Get();
    studio.Begin(input[0] & 1 ? Editor::Page::Multipart : Editor::Page::Patch, FuzzStudio::Nothing);
    InjectChunks(studio, QStringLiteral("Synth"), input.subspan(1));
    return 0;
}

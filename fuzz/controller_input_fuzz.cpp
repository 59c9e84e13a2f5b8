// What the controller sends, through its port into a running editor: edits of every row, the
// special controls (voice request, randomise, modulation group, operator switches and selects),
// unused controls and anything else, split into chunks as a driver hands them over. The keyboard's
// input, passed on to the synth, comes in the same way.
#include "support/fuzz_studio.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    if (input.empty())
        return 0;
    // The first byte picks the page (a voice request asks for the multi on the multipart page)
    // and the device: the controller, or the keyboard with bit 1.
    FuzzStudio& studio = FuzzStudio::Get();
    studio.Begin(input[0] & 1 ? Editor::Page::Multipart : Editor::Page::Patch, FuzzStudio::Voice);
    InjectChunks(studio, input[0] & 2 ? QStringLiteral("Keys") : QStringLiteral("BCR"),
                 input.subspan(1));
    return 0;
}

// The synth's bulk messages decoded straight into a voice and a multi, without a port: the header
// test, the six layouts' readers and the voice name, on a message of any length and any bytes (a
// file holds 8-bit bytes; the port only 7-bit ones). Every value that lands is within its range.
#include "model/domain.h"
#include "synth/data_buffers.h"
#include "synth/message_decode.h"
#include "synth/sysex_formats.h"

#include <cstdio>
#include <cstdlib>

namespace {
struct Decoders {
    Voice voice;
    Multi multi;
    SynthData data;
};

struct Target {
    const Layouts::BulkLayout* layout;
    DataBuffer SynthData::*buffer; // where the editor receives it
};
const Target Targets[] = {
    {&Layouts::VoiceBlock, &SynthData::VoiceBlockBuf},
    {&Layouts::AddVoice, &SynthData::AddVoiceBuf},
    {&Layouts::Aftertouch, &SynthData::AftertouchBuf},
    {&Layouts::VoiceEffect, &SynthData::VoiceEffectBuf},
    {&Layouts::MultiEffect, &SynthData::MultiEffectBuf},
    {&Layouts::MultiBlock, &SynthData::MultiBuf},
};

void store(Decoders& d, const Layouts::BulkLayout& layout, std::span<const std::uint8_t> message) {
    const Layouts::DecodedMessage decoded = Layouts::DecodeMessage(layout, message);
    for (const Layouts::MessageByte& byte : decoded.values) {
        const int max = layout.target == Layouts::Target::Voice
                            ? InfoOf(VoiceParam::FromIndex(byte.param)).max
                            : InfoOf(MultiParam::FromRow(byte.param)).max;
        if (byte.value < 0 || byte.value > max) {
            std::fprintf(stderr, "a decoded value %d is outside 0..%d\n", byte.value, max);
            std::abort();
        }
    }
    for (const Layouts::DecodeProblem& problem : decoded.problems)
        Layouts::ProblemText(problem);
    if (layout.target == Layouts::Target::Voice)
        Layouts::Apply(decoded, d.voice);
    else
        Layouts::Apply(decoded, d.multi);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Decoders d;
    const std::span<const std::uint8_t> input(data, size);
    if (input.empty())
        return 0;
    // The first byte picks the layout; the rest is the message.
    const Target& target = Targets[input[0] % std::size(Targets)];
    const std::span<const std::uint8_t> message = input.subspan(1);
    Sysex::HeaderKind(message, SynthDeviceNumber);
    // As it comes: a message shorter than its format gives nothing.
    store(d, *target.layout, message);
    Layouts::ReadVoiceName(message);
    // As the editor decodes it: into the buffer it is received in, read over the whole buffer.
    DataBuffer& buffer = d.data.*target.buffer;
    buffer.Overwrite(message);
    const std::span<const std::uint8_t> whole(buffer.Data(), std::size_t(buffer.Capacity()));
    store(d, *target.layout, whole);
    if (target.layout == &Layouts::VoiceBlock)
        Layouts::ReadVoiceName(whole);
    return 0;
}

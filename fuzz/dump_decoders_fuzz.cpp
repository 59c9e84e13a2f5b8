// The synth's bulk messages decoded straight into the records, without a port: the header test,
// the six layouts' readers and the voice name, on a message of any length and any bytes (a file
// holds 8-bit bytes; the port only 7-bit ones).
#include "model/control_names.h"
#include "model/domain.h"
#include "model/parameter_map.h"
#include "support/recording_prompter.h"
#include "synth/bulk_layout.h"
#include "synth/data_buffers.h"
#include "synth/sysex_formats.h"
#include "views/headless_controls.h"

#include <QCoreApplication>

namespace {
struct Decoders {
    Decoders() {
        map.BuildPatchMap(controls, prompts, QDir(QStringLiteral(":/no-voice-names")));
        map.BuildMultiMap(controls, prompts);
    }
    HeadlessControls controls{EditorControls()};
    RecordingPrompter prompts;
    ParameterMap map;
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
    for (const Layouts::FieldValue& v : Layouts::ReadRecords(layout, d.map, message))
        SetValueChecked(d.prompts, *v.record, v.value);
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
    d.prompts.shown.clear();
    return 0;
}

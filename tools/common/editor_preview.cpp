#include "editor_preview.h"

#include "edit/editor.h"
#include "model/domain.h"
#include "preview/preview_output.h"

namespace {
constexpr std::uint8_t NoteOff = 0x80;
constexpr std::uint8_t NoteOn = 0x90;
constexpr std::uint8_t ChannelPressure = 0xD0;
constexpr std::uint8_t PitchBend = 0xE0;

constexpr int ModWheel = 1;
constexpr int Breath = 2;
constexpr int Foot = 4;
constexpr int AllSoundOff = 120;
constexpr int AllNotesOff = 123;

// Program changes and the other controllers are the synth's alone.
void playOnPreview(PreviewOutput& preview, std::uint8_t status, std::uint8_t data1,
                   std::uint8_t data2) {
    switch (status & MidiStatus::KindMask) {
    case NoteOn:
        preview.NoteOn(data1, data2);
        break;
    case NoteOff:
        preview.NoteOff(data1);
        break;
    case PitchBend:
        preview.PitchBend((data2 << 7 | data1) - 8192);
        break;
    case ChannelPressure:
        preview.SetController(ModSource::Aftertouch, data1);
        break;
    case MidiStatus::ControlChange:
        if (data1 == ModWheel)
            preview.SetController(ModSource::ModWheel, data2);
        else if (data1 == Breath)
            preview.SetController(ModSource::Breath, data2);
        else if (data1 == Foot)
            preview.SetController(ModSource::Foot, data2);
        else if (data1 == AllSoundOff || data1 == AllNotesOff)
            preview.AllNotesOff();
        break;
    default:
        break;
    }
}
} // namespace

void ConnectPreview(Editor& editor, PreviewOutput& preview) {
    preview.SetVoice(editor.CurrentVoice());
    editor.SetVoiceListener([&preview](const Voice& voice) { preview.SetVoice(voice); });
    editor.SetKeyboardListener(
        [&preview](std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
            playOnPreview(preview, status, data1, data2);
        });
}

#include "edit/editor.h"
#include "synth/bulk_layout.h"
#include "synth/parameter_change.h"
#include "synth/sysex_formats.h"
#include "views/views.h"

QString Editor::voiceName() const {
    return Controls.eName ? Controls.eName->Text() : QString();
}

void Editor::bGetPatchClick() {
    if (Updating)
        return;
    const Sysex::DumpRequest& request =
        MultiMode ? Sysex::MultiDumpRequest : Sysex::VoiceDumpRequest;
    putToSynth(request.data(), int(request.size()));
}

void Editor::BuildVoiceBlock() {
    const Layouts::VoiceName name = Layouts::EncodeVoiceName(voiceName());
    Layouts::WriteMessage(Layouts::VoiceBlock, Map, Data.VoiceBlockBuf, &name);
}

void Editor::BuildAddVoiceBlock() {
    Layouts::WriteMessage(Layouts::AddVoice, Map, Data.AddVoiceBuf);
}

void Editor::BuildAftertouchBlock() {
    Layouts::WriteMessage(Layouts::Aftertouch, Map, Data.AftertouchBuf);
}

void Editor::BuildVoiceEffect() {
    Layouts::WriteMessage(Layouts::VoiceEffect, Map, Data.VoiceEffectBuf);
}

void Editor::SendToSynth(const DataBuffer& buffer, int count) {
    if (Updating || !SynthOutputChosen() || count <= 0)
        return;
    MidiPCToSynth.PutLong(buffer.Data(), std::uint16_t(std::min(count, buffer.Capacity())));
}

void Editor::SendVoice() {
    BuildVoiceBlock();
    SendToSynth(Data.VoiceBlockBuf, Data.VoiceBlockBuf.Length);
    BuildAddVoiceBlock();
    SendToSynth(Data.AddVoiceBuf, Data.AddVoiceBuf.Length);
    BuildAftertouchBlock();
    SendToSynth(Data.AftertouchBuf, Data.AftertouchBuf.Length);
    BuildVoiceEffect();
    SendToSynth(Data.VoiceEffectBuf, Data.VoiceEffectBuf.Length);
}

void Editor::eNameChange() {
    if (Updating || !Controls.eName)
        return;
    const QString text = Controls.eName->Text();
    if (text.size() > Layouts::NameLength) {
        // Cutting the text changes it again, and that change sends the name: once.
        Controls.eName->SetText(text.left(Layouts::NameLength));
        return;
    }
    if (!SynthOutputChosen())
        return;
    for (const auto& message : ParameterChange::Name(SynthDevice, text))
        MidiPCToSynth.PutLong(message.data(), std::uint16_t(message.size()));
}

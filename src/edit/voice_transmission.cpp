#include "edit/voice_transmission.h"

#include "edit/edit_state.h"
#include "edit/editor_ports.h"
#include "edit/page_controls.h"
#include "model/domain.h"
#include "synth/bulk_records.h"
#include "synth/data_buffers.h"
#include "synth/parameter_change.h"
#include "synth/sysex_formats.h"
#include "views/views.h"

VoiceTransmission::VoiceTransmission(ParameterMap& map, SynthData& data, const EditState& state,
                                     EditorPorts& ports, const PageControls& controls)
    : map_(map), data_(data), state_(state), ports_(ports), controls_(controls) {}

QString VoiceTransmission::VoiceName() const {
    return controls_.eName ? controls_.eName->Text() : QString();
}

void VoiceTransmission::bGetPatchClick() {
    if (state_.Updating)
        return;
    ports_.ToSynth(state_.MultiMode ? Sysex::MultiDumpRequest : Sysex::VoiceDumpRequest);
}

void VoiceTransmission::BuildVoiceBlock() {
    const Layouts::VoiceName name = Layouts::EncodeVoiceName(VoiceName());
    Layouts::WriteMessage(Layouts::VoiceBlock, map_, data_.VoiceBlockBuf, &name);
}

void VoiceTransmission::BuildAddVoiceBlock() {
    Layouts::WriteMessage(Layouts::AddVoice, map_, data_.AddVoiceBuf);
}

void VoiceTransmission::BuildAftertouchBlock() {
    Layouts::WriteMessage(Layouts::Aftertouch, map_, data_.AftertouchBuf);
}

void VoiceTransmission::BuildVoiceEffect() {
    Layouts::WriteMessage(Layouts::VoiceEffect, map_, data_.VoiceEffectBuf);
}

void VoiceTransmission::BuildMultiBlock() {
    Layouts::WriteMessage(Layouts::MultiBlock, map_, data_.MultiBuf);
}

void VoiceTransmission::BuildMultiEffect() {
    Layouts::WriteMessage(Layouts::MultiEffect, map_, data_.MultiEffectBuf);
}

void VoiceTransmission::SendToSynth(const DataBuffer& buffer, int count) {
    if (state_.Updating || count <= 0)
        return;
    ports_.ToSynth({buffer.Data(), std::size_t(std::min(count, buffer.Capacity()))});
}

void VoiceTransmission::SendVoice() {
    BuildVoiceBlock();
    SendToSynth(data_.VoiceBlockBuf, data_.VoiceBlockBuf.Length);
    BuildAddVoiceBlock();
    SendToSynth(data_.AddVoiceBuf, data_.AddVoiceBuf.Length);
    BuildAftertouchBlock();
    SendToSynth(data_.AftertouchBuf, data_.AftertouchBuf.Length);
    BuildVoiceEffect();
    SendToSynth(data_.VoiceEffectBuf, data_.VoiceEffectBuf.Length);
}

void VoiceTransmission::eNameChange() {
    if (state_.Updating || !controls_.eName)
        return;
    const QString text = controls_.eName->Text();
    if (text.size() > Layouts::NameLength) {
        // Cutting the text changes it again, and that change sends the name: once.
        controls_.eName->SetText(text.left(Layouts::NameLength));
        return;
    }
    for (const auto& message : ParameterChange::Name(SynthDeviceNumber, text))
        ports_.ToSynth(message);
}

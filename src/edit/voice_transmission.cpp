#include "edit/voice_transmission.h"

#include "edit/edit_state.h"
#include "edit/edited_sound.h"
#include "edit/editor_ports.h"
#include "synth/bulk_layout.h"
#include "synth/data_buffers.h"
#include "synth/sysex_formats.h"

#include <algorithm>

VoiceTransmission::VoiceTransmission(const EditedSound& sound, SynthData& data,
                                     const EditState& state, EditorPorts& ports)
    : sound_(sound), data_(data), state_(state), ports_(ports) {}

void VoiceTransmission::bGetPatchClick() {
    if (state_.DecodingSynthMessage)
        return;
    ports_.ToSynth(state_.MultiMode ? Sysex::MultiDumpRequest : Sysex::VoiceDumpRequest);
}

void VoiceTransmission::BuildVoiceBlock() {
    Layouts::WriteMessage(Layouts::VoiceBlock, sound_.voice, data_.VoiceBlockBuf);
}

void VoiceTransmission::BuildAddVoiceBlock() {
    Layouts::WriteMessage(Layouts::AddVoice, sound_.voice, data_.AddVoiceBuf);
}

void VoiceTransmission::BuildAftertouchBlock() {
    Layouts::WriteMessage(Layouts::Aftertouch, sound_.voice, data_.AftertouchBuf);
}

void VoiceTransmission::BuildVoiceEffect() {
    Layouts::WriteMessage(Layouts::VoiceEffect, sound_.voice, data_.VoiceEffectBuf);
}

void VoiceTransmission::BuildMultiBlock() {
    Layouts::WriteMessage(Layouts::MultiBlock, sound_.multi, data_.MultiBuf);
}

void VoiceTransmission::BuildMultiEffect() {
    Layouts::WriteMessage(Layouts::MultiEffect, sound_.multi, data_.MultiEffectBuf);
}

void VoiceTransmission::SendToSynth(const DataBuffer& buffer, int count) {
    if (count <= 0)
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

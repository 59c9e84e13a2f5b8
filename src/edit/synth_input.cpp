#include "edit/synth_input.h"

#include "edit/controller_echo.h"
#include "edit/edit_state.h"
#include "edit/editor_ports.h"
#include "edit/modulation_groups.h"
#include "edit/operators.h"
#include "edit/page_controls.h"
#include "edit/scope_exit.h"
#include "edit/shared_rows.h"
#include "edit/voice_transmission.h"
#include "model/operator_panel.h"
#include "model/parameter_map.h"
#include "synth/bulk_records.h"
#include "synth/data_buffers.h"
#include "synth/sysex_formats.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
std::span<const std::uint8_t> whole(const DataBuffer& buffer) {
    return {buffer.Data(), std::size_t(buffer.Capacity())};
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

// The four messages of a voice: a refresh that follows a controller's request counts them.
constexpr int VoiceMessageCount = 4;
} // namespace

SynthInput::SynthInput(ParameterMap& map, SynthData& data, EditState& state, EditorPorts& ports,
                       Prompter& prompts, const PageControls& controls, ControllerEcho& echo,
                       Operators& operators, ModulationGroups& groups, VoiceTransmission& voice)
    : map_(map), data_(data), state_(state), ports_(ports), prompts_(prompts), controls_(controls),
      echo_(echo), operators_(operators), groups_(groups), voice_(voice) {}

void SynthInput::MidiSynthToPCMidiInput() {
    // A decode that waits in a warning box lets the event loop run; a second dump must not be
    // decoded inside the first, so it stays queued and the outer drain takes it afterwards.
    if (decodingSynthMessage_)
        return;
    TMidiInput& input = ports_.MidiSynthToPC();
    while (input.GetEventCount() > 0) {
        const std::unique_ptr<TMyMidiEvent> event = input.GetMidiEvent();
        if (!event)
            return;
        if (event->StatusByte == MidiStatus::ActiveSensing)
            continue;
        if ((event->StatusByte & MidiStatus::KindMask) == MidiStatus::ProgramChange) {
            voice_.bGetPatchClick();
        } else if (event->SysexSize > 0) {
            SysexInStream = QByteArray(reinterpret_cast<const char*>(event->SysexBytes.get()),
                                       event->SysexSize);
            decodingSynthMessage_ = true;
            ScopeExit done([this] { decodingSynthMessage_ = false; });
            DispatchSynthSysex();
        }
    }
}

void SynthInput::DecodeHeld(const std::function<void()>& decode) {
    const bool alreadyHeld = decodingSynthMessage_;
    {
        decodingSynthMessage_ = true;
        ScopeExit done([this, alreadyHeld] { decodingSynthMessage_ = alreadyHeld; });
        decode();
    }
    if (!alreadyHeld)
        MidiSynthToPCMidiInput();
}

void SynthInput::DispatchSynthSysex() {
    state_.Updating = true;
    ScopeExit done([this] { state_.Updating = false; });
    const std::span<const std::uint8_t> stream = bytesOf(SysexInStream);
    const int received = data_.SysexInBuf.Overwrite(stream);
    const Sysex::Kind kind =
        Sysex::HeaderKind({data_.SysexInBuf.Data(), std::size_t(received)}, SynthDeviceNumber);
    if (kind == Sysex::Kind::Unknown)
        return;
    // A message shorter than its kind would leave stale bytes to decode: it is ignored like a
    // foreign one.
    if (received < Sysex::formatOf(kind).length)
        return;
    auto into = [&](DataBuffer& buffer) {
        buffer.Overwrite(stream);
        return whole(buffer);
    };
    switch (kind) {
    case Sysex::Kind::VoiceBlock:
        DecodeVoiceBlock(into(data_.VoiceBlockBuf));
        if (controls_.lCurrentPatch)
            controls_.lCurrentPatch->SetCaption(QStringLiteral("Current: From Synth"));
        break;
    case Sysex::Kind::AddVoice:
        DecodeAddVoiceBlock(into(data_.AddVoiceBuf));
        break;
    case Sysex::Kind::Aftertouch:
        DecodeAftertouchBlock(into(data_.AftertouchBuf));
        break;
    case Sysex::Kind::Effect:
        if (state_.MultiMode)
            DecodeMultiEffect(into(data_.MultiEffectBuf));
        else
            DecodeVoiceEffect(into(data_.VoiceEffectBuf));
        break;
    case Sysex::Kind::MultiBlock:
        DecodeMultiBlock(into(data_.MultiBuf));
        if (controls_.lCurrentMulti)
            controls_.lCurrentMulti->SetCaption(QStringLiteral("Current: From Synth"));
        break;
    case Sysex::Kind::Unknown:
        break;
    }
}

void SynthInput::storeValues(const std::vector<Layouts::FieldValue>& values, Refresh refresh) {
    for (const Layouts::FieldValue& v : values)
        SetValueChecked(prompts_, *v.record, v.value, refresh);
}

void SynthInput::decodeInto(const Layouts::BulkLayout& layout,
                            std::span<const std::uint8_t> message) {
    storeValues(Layouts::ReadRecords(layout, map_, message), Refresh::WhenChanged);
    RefreshAfterVoiceDump();
}

void SynthInput::DecodeVoiceBlock(std::span<const std::uint8_t> message) {
    const std::vector<Layouts::FieldValue> values =
        Layouts::ReadRecords(Layouts::VoiceBlock, map_, message);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Layouts::FieldValue& v = values[i];
        SetValueChecked(prompts_, *v.record, v.value);
        const bool blockEnds =
            v.block >= 0 && (i + 1 == values.size() || values[i + 1].block != v.block);
        if (blockEnds) {
            TOp& op = map_.Op(ParameterMap::OperatorOrder[std::size_t(v.block)]);
            for (int row = OperatorPanelFirstRow; row <= OperatorPanelLastRow; ++row)
                UpdateOperatorGraph(op, row);
        }
    }
    if (controls_.eName)
        controls_.eName->SetText(Layouts::ReadVoiceName(message));
    RefreshAfterVoiceDump();
}

void SynthInput::DecodeAddVoiceBlock(std::span<const std::uint8_t> message) {
    decodeInto(Layouts::AddVoice, message);
}

void SynthInput::DecodeAftertouchBlock(std::span<const std::uint8_t> message) {
    decodeInto(Layouts::Aftertouch, message);
}

void SynthInput::DecodeVoiceEffect(std::span<const std::uint8_t> message) {
    decodeInto(Layouts::VoiceEffect, message);
}

void SynthInput::DecodeMultiEffect(std::span<const std::uint8_t> message) {
    storeValues(Layouts::ReadRecords(Layouts::MultiEffect, map_, message), Refresh::WhenChanged);
}

void SynthInput::DecodeMultiBlock(std::span<const std::uint8_t> message) {
    // The first multi block sets every control, also those whose value stays 0.
    const Refresh refresh = FirstMultiDump ? Refresh::Always : Refresh::WhenChanged;
    const TMulti& multi = map_.Multi();
    for (const Layouts::FieldValue& v : Layouts::ReadRecords(Layouts::MultiBlock, map_, message)) {
        int voiceOfPart = 0;
        for (int part = 1; part <= PartCount; ++part)
            if (v.record == &multi.Part(part).Field(PartField::Patch))
                voiceOfPart = part;
        if (voiceOfPart > 0)
            storePartVoice(voiceOfPart, v.value, refresh);
        else
            SetValueChecked(prompts_, *v.record, v.value, refresh);
    }
    FirstMultiDump = false;
}

void SynthInput::storePartVoice(int part, int value, Refresh refresh) {
    // The part's bank byte, stored just before, may name another bank. Its voice is named from
    // that bank once the new number is stored: neither number is labelled from the other bank's
    // list, which may be too short for it and would show a box for nothing.
    static const QStringList NoNames;
    TSyx_Param& voice = map_.Multi().Part(part).Field(PartField::Patch);
    voice.ValNames = &NoNames;
    SetValueChecked(prompts_, voice, value, refresh);
    map_.RetargetPartVoices(part);
    SetLabel(prompts_, voice, voice.Val);
}

void SynthInput::RefreshAfterVoiceDump() {
    if (state_.PatchRequestedByController)
        ++VoiceDumpCount;
    for (int row = 0; row < EditRowCount; ++row)
        echo_.EchoRow(row);
    if (controls_.gAlgorithm)
        controls_.gAlgorithm->SetState(map_.SingleRecord(Rows::Algorithm).Val);
    if (VoiceDumpCount >= 1 && VoiceDumpCount < VoiceMessageCount) {
        ShowCurrentVariants(map_, state_, prompts_);
        return;
    }
    if (VoiceDumpCount >= VoiceMessageCount) {
        VoiceDumpCount = 0;
        state_.PatchRequestedByController = false;
        ShowCurrentVariants(map_, state_, prompts_);
        return;
    }
    for (int op = 0; op < OperatorCount; ++op)
        SetValueChecked(prompts_, map_.OpSwitch(op), 1);
    operators_.SetOperatorMask(operators_.Mask());
    operators_.SelectOperator(0);
    groups_.ShowModulationGroup();
}

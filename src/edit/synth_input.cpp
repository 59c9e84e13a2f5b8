#include "edit/editor.h"
#include "edit/scope_exit.h"
#include "model/operator_panel.h"
#include "synth/sysex_formats.h"
#include "views/knob_value.h"
#include "views/views.h"

namespace {
constexpr int ActiveSensing = 0xFE;
constexpr int ProgramChange = 0xC0;

std::span<const std::uint8_t> whole(const DataBuffer& buffer) {
    return {buffer.Data(), std::size_t(buffer.Capacity())};
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}
} // namespace

void Editor::MidiSynthToPCMidiInput() {
    // A decode that waits in a warning box lets the event loop run; a second dump must not be
    // decoded inside the first, so it stays queued and the outer drain takes it afterwards.
    if (decodingSynthMessage_)
        return;
    while (MidiSynthToPC.GetEventCount() > 0) {
        const std::unique_ptr<TMyMidiEvent> event = MidiSynthToPC.GetMidiEvent();
        if (!event)
            return;
        if (event->StatusByte == ActiveSensing)
            continue;
        if ((event->StatusByte & 0xF0) == ProgramChange) {
            bGetPatchClick();
        } else if (event->SysexSize > 0) {
            SysexInStream = QByteArray(reinterpret_cast<const char*>(event->SysexBytes.get()),
                                       event->SysexSize);
            decodingSynthMessage_ = true;
            ScopeExit done([this] { decodingSynthMessage_ = false; });
            DispatchSynthSysex();
        }
    }
}

void Editor::DispatchSynthSysex() {
    Updating = true;
    ScopeExit done([this] { Updating = false; });
    const std::span<const std::uint8_t> stream = bytesOf(SysexInStream);
    const int received = Data.SysexInBuf.Overwrite(stream);
    const Sysex::Kind kind =
        Sysex::HeaderKind({Data.SysexInBuf.Data(), std::size_t(received)}, SynthDevice);
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
        DecodeVoiceBlock(into(Data.VoiceBlockBuf));
        if (Controls.lCurrentPatch)
            Controls.lCurrentPatch->SetCaption(QStringLiteral("Current: From Synth"));
        break;
    case Sysex::Kind::AddVoice:
        DecodeAddVoiceBlock(into(Data.AddVoiceBuf));
        break;
    case Sysex::Kind::Aftertouch:
        DecodeAftertouchBlock(into(Data.AftertouchBuf));
        break;
    case Sysex::Kind::Effect:
        if (MultiMode)
            DecodeMultiEffect(into(Data.MultiEffectBuf));
        else
            DecodeVoiceEffect(into(Data.VoiceEffectBuf));
        break;
    case Sysex::Kind::MultiBlock:
        DecodeMultiBlock(into(Data.MultiBuf));
        if (Controls.lCurrentMulti)
            Controls.lCurrentMulti->SetCaption(QStringLiteral("Current: From Synth"));
        break;
    case Sysex::Kind::Unknown:
        break;
    }
}

void Editor::storeValues(const std::vector<Layouts::FieldValue>& values, Refresh refresh) {
    for (const Layouts::FieldValue& v : values)
        SetValueChecked(services_.prompts, *v.record, v.value, refresh);
}

void Editor::decodeInto(const Layouts::BulkLayout& layout, std::span<const std::uint8_t> message) {
    storeValues(Layouts::ReadRecords(layout, Map, message), Refresh::WhenChanged);
    RefreshAfterVoiceDump();
}

void Editor::DecodeVoiceBlock(std::span<const std::uint8_t> message) {
    const std::vector<Layouts::FieldValue> values =
        Layouts::ReadRecords(Layouts::VoiceBlock, Map, message);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Layouts::FieldValue& v = values[i];
        SetValueChecked(services_.prompts, *v.record, v.value);
        const bool blockEnds =
            v.block >= 0 && (i + 1 == values.size() || values[i + 1].block != v.block);
        if (blockEnds) {
            TOp& op = Map.Op(ParameterMap::OperatorOrder[std::size_t(v.block)]);
            for (int row = OperatorPanelFirstRow; row <= OperatorPanelLastRow; ++row)
                UpdateOperatorGraph(op, row);
        }
    }
    if (Controls.eName)
        Controls.eName->SetText(Layouts::ReadVoiceName(message));
    RefreshAfterVoiceDump();
}

void Editor::DecodeAddVoiceBlock(std::span<const std::uint8_t> message) {
    decodeInto(Layouts::AddVoice, message);
}

void Editor::DecodeAftertouchBlock(std::span<const std::uint8_t> message) {
    decodeInto(Layouts::Aftertouch, message);
}

void Editor::DecodeVoiceEffect(std::span<const std::uint8_t> message) {
    decodeInto(Layouts::VoiceEffect, message);
}

void Editor::RefreshAfterVoiceDump() {
    if (PatchRequestedByController)
        ++VoiceDumpCount;
    for (int row = 0; row < Slots::EditRowCount; ++row)
        EchoRow(row);
    if (Controls.gAlgorithm)
        Controls.gAlgorithm->SetState(Map.SingleRecord(Rows::Algorithm).Val);
    if (VoiceDumpCount >= 1 && VoiceDumpCount <= 3) {
        showCurrentVariants();
        return;
    }
    if (VoiceDumpCount >= 4) {
        VoiceDumpCount = 0;
        PatchRequestedByController = false;
        showCurrentVariants();
        return;
    }
    for (int op = 0; op < 4; ++op)
        SetValueChecked(services_.prompts, Map.OpSwitch(op), 1);
    SetOperatorMask(15);
    SelectOperator(0);
    ShowModulationGroup();
}

void Editor::showCurrentVariants() {
    // Decoding sets the shared knobs and labels record by record, which leaves them on whichever
    // operator or group came last; show the current ones again, without echo.
    auto show = [this](int row) {
        const TSyx_Param* record = currentVariant(row);
        if (!record)
            return;
        if (record->Knob) {
            ScreenEditArmed = false;
            record->Knob->SetPosition(record->Val);
        }
        SetLabel(services_.prompts, *record, record->Val);
    };
    for (int row = 0; row < 4; ++row)
        show(row);
    for (int row = Rows::FirstPerOperator; row <= Rows::LastPerOperator; ++row)
        show(row);
}

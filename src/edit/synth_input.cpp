#include "edit/synth_input.h"

#include "edit/controller_echo.h"
#include "edit/edit_path.h"
#include "edit/edit_state.h"
#include "edit/editor_ports.h"
#include "edit/modulation_groups.h"
#include "edit/operators.h"
#include "edit/page_controls.h"
#include "edit/scope_exit.h"
#include "edit/voice_transmission.h"
#include "synth/data_buffers.h"
#include "synth/message_decode.h"
#include "synth/sysex_formats.h"
#include "views/prompts.h"
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

SynthInput::SynthInput(EditPath& path, SynthData& data, EditState& state, EditorPorts& ports,
                       Prompter& prompts, const PageControls& controls, ControllerEcho& echo,
                       Operators& operators, ModulationGroups& groups, VoiceTransmission& voice)
    : path_(path), data_(data), state_(state), ports_(ports), prompts_(prompts),
      controls_(controls), echo_(echo), operators_(operators), groups_(groups), voice_(voice) {}

void SynthInput::MidiSynthToPCMidiInput() {
    // A decode that waits in a box lets the event loop run; a second dump must not be decoded
    // inside the first, so it stays queued and the outer drain takes it afterwards.
    if (state_.DecodingSynthMessage)
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
            DispatchSynthSysex();
        }
    }
}

void SynthInput::DecodeHeld(const std::function<void()>& decode) {
    const bool alreadyHeld = state_.DecodingSynthMessage;
    {
        state_.DecodingSynthMessage = true;
        ScopeExit done([this, alreadyHeld] { state_.DecodingSynthMessage = alreadyHeld; });
        decode();
    }
    if (!alreadyHeld)
        MidiSynthToPCMidiInput();
}

void SynthInput::DispatchSynthSysex() {
    state_.DecodingSynthMessage = true;
    ScopeExit done([this] { state_.DecodingSynthMessage = false; });
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
    auto decodeInto = [&](const Layouts::BulkLayout& layout, DataBuffer& buffer) {
        buffer.Overwrite(stream);
        return DecodeMessage(layout, whole(buffer), Origin::Synth);
    };
    QStringList problems;
    switch (kind) {
    case Sysex::Kind::VoiceBlock:
        problems = decodeInto(Layouts::VoiceBlock, data_.VoiceBlockBuf);
        if (controls_.lCurrentPatch)
            controls_.lCurrentPatch->SetCaption(QStringLiteral("Current: From Synth"));
        break;
    case Sysex::Kind::AddVoice:
        problems = decodeInto(Layouts::AddVoice, data_.AddVoiceBuf);
        break;
    case Sysex::Kind::Aftertouch:
        problems = decodeInto(Layouts::Aftertouch, data_.AftertouchBuf);
        break;
    case Sysex::Kind::Effect:
        problems = state_.MultiMode ? decodeInto(Layouts::MultiEffect, data_.MultiEffectBuf)
                                    : decodeInto(Layouts::VoiceEffect, data_.VoiceEffectBuf);
        break;
    case Sysex::Kind::MultiBlock:
        problems = decodeInto(Layouts::MultiBlock, data_.MultiBuf);
        if (controls_.lCurrentMulti)
            controls_.lCurrentMulti->SetCaption(QStringLiteral("Current: From Synth"));
        break;
    case Sysex::Kind::Unknown:
        break;
    }
    ReportProblems(problems);
}

QStringList SynthInput::DecodeMessage(const Layouts::BulkLayout& layout,
                                      std::span<const std::uint8_t> message, Origin origin) {
    const Layouts::DecodedMessage decoded = Layouts::DecodeMessage(layout, message);
    if (layout.target == Layouts::Target::Voice) {
        Voice voice = path_.CurrentVoice();
        Layouts::Apply(decoded, voice);
        path_.Replace(voice, origin);
        RefreshAfterVoiceDump(origin);
    } else {
        Multi multi = path_.CurrentMulti();
        Layouts::Apply(decoded, multi);
        std::vector<int> rows;
        for (const Layouts::MessageByte& byte : decoded.values)
            rows.push_back(byte.param);
        // The first multi block sets every control, also those whose value stays 0.
        const bool firstBlock = &layout == &Layouts::MultiBlock && FirstMultiDump;
        path_.ReplaceMulti(multi, rows, firstBlock, origin);
        if (&layout == &Layouts::MultiBlock)
            FirstMultiDump = false;
    }
    QStringList problems;
    for (const Layouts::DecodeProblem& problem : decoded.problems)
        problems << Layouts::ProblemText(problem);
    return problems;
}

void SynthInput::ReportProblems(const QStringList& problems) {
    if (!problems.isEmpty())
        prompts_.Warning(problems.join(QLatin1Char('\n')));
}

void SynthInput::RefreshAfterVoiceDump(Origin origin) {
    if (state_.PatchRequestedByController)
        ++VoiceDumpCount;
    for (int row = 0; row < EditRowCount; ++row)
        echo_.EchoRow(row);
    if (VoiceDumpCount >= 1 && VoiceDumpCount < VoiceMessageCount)
        return;
    if (VoiceDumpCount >= VoiceMessageCount) {
        VoiceDumpCount = 0;
        state_.PatchRequestedByController = false;
        return;
    }
    for (int op = 0; op < OperatorCount; ++op)
        path_.Set(VoiceParam::OpSwitch(op), 1, origin);
    operators_.SetOperatorMask(operators_.Mask());
    // After a file's voice the rows the controller last showed for another operator go to the
    // synth again; a dump from the synth holds them already.
    operators_.SelectOperator(0, origin == Origin::File);
    groups_.ShowModulationGroup();
}
